#include "shell/MainLoop.hpp"

#include "platform/Platform.hpp"
#include "shell/FramePacer.hpp"
#include "shell/FrameStep.hpp"
#include "shell/RenderFrame.hpp"
#include "shell/ReplayHooks.hpp"
#include "shell/Timedemo.hpp"
#include "shell/UpdateTitle.hpp"
#include "shell/WindowProc.hpp"
#include "shell/World.hpp"

namespace {

void RunFrame(World& world) {
    BeginTimedemoFrame(world.timedemo);
    world.input.Poll();
    FrameStep(world);
    // Escape may have destroyed the window: the rest of this frame has nothing to draw on.
    if (world.mainWindow->window == nullptr) {
        return;
    }
    world.camera.RefreshStrafe();
    // Before the render pass applies this frame's view: culling uses the previous frame's view.
    world.frustum.ExtractPlanes();
    EndCpuSection(world.timedemo);
    RenderFrame(world);
    UpdateTitle(world);
    EndTimedemoFrame(world.timedemo, world.octreeStats);
    ++world.framesRun;
    TraceFrame(world);
    if (world.options.frames > 0 && world.framesRun >= world.options.frames) {
        world.mainWindow->Destroy();
    }
}

} // namespace

bool IsLastFrame(const World& world) {
    return world.options.frames > 0 && world.framesRun + 1 == world.options.frames;
}

int MainLoop(World& world) {
    FramePacer pacer(world.options.fps, platform::PerformanceFrequency());
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
        const std::uint32_t wait = pacer.MillisecondsToWait(platform::PerformanceCounter());
        if (wait > 0) {
            platform::SleepMilliseconds(wait);
            continue;
        }
        pacer.FrameStarted(platform::PerformanceCounter());
        RunFrame(world);
    }
}
