#include "shell/MainLoop.hpp"

#include "platform/Platform.hpp"
#include "play/Roster.hpp"
#include "play/RulesStep.hpp"
#include "shell/FramePacer.hpp"
#include "shell/FrameReport.hpp"
#include "shell/KeyReplay.hpp"
#include "shell/RenderFrame.hpp"
#include "shell/RuleClock.hpp"
#include "shell/UpdateTitle.hpp"
#include "shell/WindowProc.hpp"
#include "shell/World.hpp"

#include <cstdlib>

namespace {

// One rule step with the keys of this frame's poll. False when Escape asked to end: the window is
// gone and nothing more of the frame is made.
bool RunRules(World& world) {
    JoinAndLeave(world.sim, world.Level(), world.options.roster);
    KeyMask keys[kMaxPlayers];
    FrameKeys(world, keys);
    OctreeStats counts{};
    if (StepRules(world.sim, world.Level(), keys, counts)) {
        world.mainWindow.Destroy();
        return false;
    }
    world.octreeStats += counts;
    return true;
}

// A test may slow the drawing down to see the rules keep their rate: JOSTRELA_TEST_DRAW_MS pads every
// drawing to at least that many milliseconds. Never set in play.
std::uint32_t TestDrawingTime() {
    const char* text = std::getenv("JOSTRELA_TEST_DRAW_MS");
    return text != nullptr ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : 0;
}

// One frame: poll, steps rule steps, draw, report.
void RunFrame(World& world, int steps, std::uint32_t drawingTime) {
    BeforeFrame(world);
    world.input.Poll();
    world.help.Follow(world.input.keys);
    world.octreeStats = OctreeStats{};
    for (int step = 0; step < steps; ++step) {
        if (step > 0) {
            AfterUndrawnStep(world);
        }
        if (!RunRules(world)) {
            return;
        }
    }
    AfterRules(world);
    const std::uint64_t drawStart = platform::PerformanceCounter();
    RenderFrame(world);
    UpdateTitle(world);
    if (drawingTime > 0) {
        const std::uint64_t spent =
            (platform::PerformanceCounter() - drawStart) * 1000u / platform::PerformanceFrequency();
        if (spent < drawingTime) {
            platform::SleepMilliseconds(drawingTime - static_cast<std::uint32_t>(spent));
        }
    }
    AfterDrawing(world);
    if (world.options.frames > 0 && static_cast<long long>(world.sim.frame) >= world.options.frames) {
        world.mainWindow.Destroy();
    }
}

// Interactive play keeps the rules at their rate whatever the drawing does; a replay, a run of
// --frames or a timedemo makes one rule step per drawn frame, so its states are exact.
bool CatchesUp(const Options& options) {
    return options.keys.empty() && options.frames == 0 && options.timedemo == 0;
}

} // namespace

bool IsLastFrame(const World& world) {
    return world.options.frames > 0 && static_cast<long long>(world.sim.frame) == world.options.frames;
}

int MainLoop(World& world) {
    const std::uint64_t frequency = platform::PerformanceFrequency();
    const bool catchUp = CatchesUp(world.options);
    FramePacer pacer(catchUp ? 0 : world.options.fps, frequency);
    RuleClock clock(catchUp ? world.options.fps : 0, frequency);
    const std::uint32_t drawingTime = TestDrawingTime();
    platform::Event event{};
    for (;;) {
        // A waiting event always wins over a frame.
        if (platform::PeekEvent(event)) {
            if (event.kind == platform::EventKind::Quit) {
                return event.code;
            }
            WindowProc(world, event);
            continue;
        }
        // Too early for the next frame: sleep, then look at the events again.
        const std::uint64_t now = platform::PerformanceCounter();
        const std::uint32_t wait = pacer.MillisecondsToWait(now) + clock.MillisecondsToWait(now);
        if (wait > 0) {
            platform::SleepMilliseconds(wait);
            continue;
        }
        pacer.FrameStarted(now);
        RunFrame(world, clock.TakeSteps(now), drawingTime);
    }
}
