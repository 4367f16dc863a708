#include "shell/FrameStats.hpp"
#include "shell/MainLoop.hpp"
#include "shell/Options.hpp"
#include "shell/ReplayHooks.hpp"
#include "shell/StartUp.hpp"
#include "shell/Timedemo.hpp"
#include "shell/World.hpp"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    std::string problem;
    if (!ParseOptions(argc, argv, options, problem)) {
        std::fprintf(stderr, "jostrela: %s\n%s\n", problem.c_str(), kUsage);
        return 2;
    }
    // A key script that cannot be used is refused before any window opens.
    if (!options.keys.empty() && !StartKeyReplay(options.keys.c_str())) {
        return 2;
    }
    if (!options.trace.empty() && !StartTrace(options.trace.c_str())) {
        return 2;
    }
    // A window that cannot be made (a missing or unusable screen configuration, or a window the
    // system refuses) has shown its message; that is a normal end.
    mainWindow = new GLWindow();
    if (!mainWindow->Create("Jostrela 3d modo cooperativo multijugador", "scr.txt")) {
        return 0;
    }
    StartUp();
    if (options.timedemo > 0) {
        const TimedemoMode mode = options.timedemoAlternate  ? TimedemoMode::Alternate
                                  : options.timedemoBaseline ? TimedemoMode::Baseline
                                                             : TimedemoMode::Culled;
        StartTimedemo(options.timedemo, mode, options.countFragments);
    }
    const int code = MainLoop();
    if (options.timedemo > 0) {
        PrintTimedemoReport();
    }
    const bool dumped = options.dumpState.empty() || DumpGameState(options.dumpState.c_str());
    const bool traced = EndTrace();
    return screenshotFailed || statsFailed || !dumped || !traced ? 1 : code;
}
