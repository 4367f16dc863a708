#include "tools/content/RunFolder.hpp"

#include <cstdio>
#include <cstring>

// jostrela-content DIR: writes the game's run folder into DIR, the same bytes on every run.
// jostrela-content --large DIR: the same with the large benchmark level in place of the church.
int main(int argc, char** argv) {
    const bool large = argc == 3 && std::strcmp(argv[1], "--large") == 0;
    if (argc != 2 && !large) {
        std::fprintf(stderr, "usage: jostrela-content [--large] RUN_FOLDER\n");
        return 2;
    }
    return WriteRunFolder(argv[argc - 1], large) ? 0 : 1;
}
