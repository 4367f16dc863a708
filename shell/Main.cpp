#include "shell/FrameStats.hpp"
#include "shell/MainLoop.hpp"
#include "shell/Options.hpp"
#include "shell/StartUp.hpp"
#include "shell/World.hpp"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    std::string problem;
    if (!ParseOptions(argc, argv, options, problem)) {
        std::fprintf(stderr, "jostrela: %s\n%s\n", problem.c_str(), kUsage);
        return 2;
    }
    // E1, E2: a window that cannot be made has shown its message; that is a normal end.
    mainWindow = new GLWindow();
    if (!mainWindow->Create("Jostrela 3d modo cooperativo multijugador", "scr.txt")) {
        return 0;
    }
    StartUp();
    const int code = MainLoop();
    return screenshotFailed || statsFailed ? 1 : code;
}
