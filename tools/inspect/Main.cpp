// jostrela-inspect: prints what the game's readers see in a file, as one JSON object on standard
// output, for users checking their own files and for black-box tests.

#include "tools/inspect/Inspect.hpp"

#include <cstdio>
#include <cstring>

namespace {

struct Subcommand {
    const char* name;
    const char* arguments;
    int (*run)(int argc, char** argv, std::string& out); // argv[0] is the file
};

// One row per subcommand; each lives in its own file.
constexpr Subcommand kSubcommands[] = {
    {"model", "FILE [--full]", InspectModel},
    {"bmp", "FILE [--rgb OUT]", InspectBmp},
    {"octree", "FILE", InspectOctree},
};

int Usage() {
    for (const Subcommand& s : kSubcommands) {
        std::fprintf(stderr, "usage: jostrela-inspect %s %s\n", s.name, s.arguments);
    }
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return Usage();
    }
    for (const Subcommand& s : kSubcommands) {
        if (std::strcmp(argv[1], s.name) == 0) {
            std::string out;
            const int code = s.run(argc - 2, argv + 2, out);
            if (code != 2) {
                std::printf("%s\n", out.c_str());
            }
            return code;
        }
    }
    return Usage();
}
