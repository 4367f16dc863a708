#include "shell/MainLoop.hpp"

#include "shell/FrameStep.hpp"
#include "shell/RenderFrame.hpp"
#include "shell/ReplayHooks.hpp"
#include "shell/Timedemo.hpp"
#include "shell/UpdateTitle.hpp"
#include "shell/WindowProc.hpp"
#include "shell/World.hpp"

namespace {

void RunFrame() {
    BeginTimedemoFrame();
    input.Poll();
    FrameStep();
    // Escape may have destroyed the window: the rest of this frame has nothing to draw on.
    if (mainWindow->window == nullptr) {
        return;
    }
    camera.RefreshStrafe();
    // Before the render pass applies this frame's view: culling uses the previous frame's view.
    frustum.ExtractPlanes();
    EndCpuSection();
    RenderFrame();
    UpdateTitle();
    EndTimedemoFrame();
    ++framesRun;
    TraceFrame();
    if (options.frames > 0 && framesRun >= options.frames) {
        mainWindow->Destroy();
    }
}

} // namespace

bool IsLastFrame() {
    return options.frames > 0 && framesRun + 1 == options.frames;
}

int MainLoop() {
    platform::Event event{};
    for (;;) {
        // A waiting event always wins over a frame.
        if (platform::PeekEvent(event)) {
            if (event.kind == platform::EventKind::Quit) {
                return event.code;
            }
            WindowProc(event);
            continue;
        }
        RunFrame();
    }
}
