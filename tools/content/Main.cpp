#include "tools/content/Icon.hpp"
#include "tools/content/RunFolder.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kUsage[] =
    "usage: jostrela-content [--large] RUN_FOLDER\n"
    "       jostrela-content --icon SIZE FILE.png\n"
    "Writes the game's run folder (scr.txt, MODELOS/, Texturas/) into RUN_FOLDER, the same\n"
    "bytes on every run; --large puts a benchmark level of forty churches in place of the\n"
    "church. --icon draws the penguin as a SIZE x SIZE icon (16 to 1024 pixels).\n";

} // namespace

// jostrela-content DIR: writes the game's run folder into DIR, the same bytes on every run.
// jostrela-content --large DIR: the same with the large benchmark level in place of the church.
// jostrela-content --icon SIZE FILE.png: writes the game's icon.
// An option it does not know is refused rather than taken for a folder's name.
int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--icon") == 0) {
        char* end = nullptr;
        const long size = std::strtol(argv[2], &end, 10);
        if (*end != '\0' || size < 16 || size > 1024) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        return WriteIcon(argv[3], static_cast<int>(size)) ? 0 : 1;
    }
    const bool large = argc == 3 && std::strcmp(argv[1], "--large") == 0;
    if ((argc != 2 && !large) || argv[argc - 1][0] == '-') {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return WriteRunFolder(argv[argc - 1], large) ? 0 : 1;
}
