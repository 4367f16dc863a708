#include "tools/content/RunFolder.hpp"

#include <cstdio>

// jostrela-content DIR: writes the game's run folder into DIR, the same bytes on every run.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: jostrela-content RUN_FOLDER\n");
        return 2;
    }
    return WriteRunFolder(argv[1]) ? 0 : 1;
}
