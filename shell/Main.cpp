#include "base/Message.hpp"
#include "base/OptionFailure.hpp"
#include "base/StopRequest.hpp"
#include "diag/FrameStats.hpp"
#include "diag/Timedemo.hpp"
#include "diag/Trace.hpp"
#include "platform/Platform.hpp"
#include "shell/GameSearch.hpp"
#include "shell/KeyReplay.hpp"
#include "shell/MainLoop.hpp"
#include "shell/NetGame.hpp"
#include "shell/NetMainLoop.hpp"
#include "shell/Options.hpp"
#include "shell/OutputChecks.hpp"
#include "shell/PlayerName.hpp"
#include "shell/SessionFiles.hpp"
#include "shell/StandardOutput.hpp"
#include "shell/StartUp.hpp"
#include "shell/Version.hpp"
#include "shell/World.hpp"
#include "shell/WorldState.hpp"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// First of all, so that everything the game prints reaches the console it was started from.
const bool consoleAttached = (platform::AttachParentConsole(), true);

// Before anything can print: a reader that goes away fails a write instead of ending the game.
const bool outputsPrepared = (platform::PrepareOutputs(), true);

const char* const kConfigFile = "scr.txt";
const char* const kPenguinFile = "MODELOS/pinguino.3DS";
const char* const kLevelFile = "MODELOS/church.3DS";

// Messages go to the platform's box from the first construction on, so that a model that fails to
// load below is reported in a box too.
const MessageSink noSinkBeforeTheGame = SetMessageSink(platform::ShowMessageBox);

// Before the models are read: from here on a stop signal ends the game cleanly with code 0,
// whatever it is doing (reading, starting up or running frames).
const bool stopSignalsCaught = (CatchStopSignals(), true);

// The game's one world. Made during static construction, so both models are read before the entry
// and before any window exists; reached only through the references the entry hands out.
World world(kPenguinFile, kLevelFile);

// --list-games: the games on the local network, on standard output. A normal end unless standard
// output cannot be written.
int ListGamesAndEnd() {
    std::string error;
    auto transport = net::UdpTransport::Open(0, error);
    if (!transport) {
        ReportOptionFailure("cannot open the network: " + error);
    } else if (ListGames(*transport, net::kDefaultPort) == 0) {
        ReportOptionFailure("no game answered on the local network");
    }
    return FinishStandardStreams() ? 0 : 1;
}

// A command line the game cannot follow: its problem and the usage line on standard error, exit
// code 2.
int RefuseOptions(const std::string& problem) {
    ReportOptionFailure(problem);
    std::fprintf(stderr, "%s\n", kUsage);
    return 2;
}

// With --screenshot, false after a report when the run ended (Escape, the window closed, a stop
// signal) before the frame the picture is taken of.
bool ScreenshotTakenIfAsked(const World& world) {
    const Options& options = world.options;
    if (options.screenshot.empty() || static_cast<long long>(world.sim.frame) >= options.frames) {
        return true;
    }
    ReportOptionFailure("no screenshot written to " + options.screenshot + ": the run ended after " +
                        std::to_string(world.sim.frame) + " of its " + std::to_string(options.frames) +
                        " frames");
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // A stop signal while the models were read ends the game before any window opens.
    if (StopRequested()) {
        return 0;
    }
    Options& options = world.options;
    std::string problem;
    if (!ParseOptions(argc, argv, options, problem)) {
        return RefuseOptions(problem);
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        std::fputs("\n\n", stdout);
        std::fputs(kHelp, stdout);
        return FinishStandardStreams() ? 0 : 1;
    }
    if (options.version) {
        std::printf("jostrela %s\n", kGameVersion);
        return FinishStandardStreams() ? 0 : 1;
    }
    if (options.listGames) {
        return ListGamesAndEnd();
    }
    std::string name = DefaultPlayerName();
    if (!options.name.empty() && !ReadPlayerName(options.name, name, problem)) {
        return RefuseOptions(problem);
    }
    GameInputs inputs{{kConfigFile, kPenguinFile, kLevelFile}, {"Texturas"}};
    inputs.files.insert(inputs.files.end(), options.keys.begin(), options.keys.end());
    if (!OutputsAreSafe(options, inputs)) {
        return 2;
    }
    // A key script that cannot be used is refused before any window opens.
    for (std::size_t slot = 0; slot < options.keys.size(); ++slot) {
        if (!StartKeyReplay(world, static_cast<int>(slot), options.keys[slot].c_str())) {
            return 2;
        }
    }
    // A game that cannot be hosted or joined has said why before any window opens.
    NetGame net;
    world.networked = options.Networked();
    if (world.networked && !StartNetGame(options, name, GameFileHashes(kPenguinFile, kLevelFile), net)) {
        return 0;
    }
    // A window that cannot be made (a missing or unusable screen configuration, or a window the
    // system refuses) has shown its message; that is a normal end.
    if (!world.mainWindow.Create("Jostrela 3d modo cooperativo multijugador", kConfigFile)) {
        return 0;
    }
    // A start-up that cannot go on (a missing texture, no memory for the level) has shown its
    // message: the display mode goes back and the window is released before the game ends with 1.
    if (!StartUp(world)) {
        world.mainWindow.Destroy();
        return 1;
    }
    // Only now can the run start: a run that ended before (no window, a missing texture) has left
    // the file as it was.
    if (!options.trace.empty() && !StartTrace(world.trace, options.trace.c_str())) {
        world.mainWindow.Destroy();
        return 2;
    }
    if (options.timedemo > 0) {
        const TimedemoMode mode = options.timedemoAlternate  ? TimedemoMode::Alternate
                                  : options.timedemoBaseline ? TimedemoMode::Baseline
                                                             : TimedemoMode::Culled;
        StartTimedemo(world.timedemo, world.input, options.timedemo, mode, options.countFragments);
    }
    const int code = world.networked ? NetMainLoop(world, net) : MainLoop(world);
    if (options.timedemo > 0) {
        const GLWindow& window = world.mainWindow;
        PrintTimedemoReport(world.timedemo, world.leafCount,
                            static_cast<std::int64_t>(window.width) * window.height);
    }
    const bool dumped =
        options.dumpState.empty() || DumpGameState(CurrentState(world), options.dumpState.c_str());
    const bool traced = EndTrace(world.trace);
    const bool counted = CloseFrameStats(world.stats, options.stats);
    const bool pictured = !world.screenshotFailed && ScreenshotTakenIfAsked(world);
    const bool printed = FinishStandardStreams();
    return !pictured || !counted || !dumped || !traced || !printed ? 1 : code;
}
