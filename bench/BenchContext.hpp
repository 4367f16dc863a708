#pragma once

// A hidden 640 x 480 window with a current GL context, for the benchmarks that draw; opened once
// per process.

#include "platform/Platform.hpp"

#include <GL/gl.h>

#include <cstdlib>

namespace bench_context {

inline bool OpenContext() {
    static bool open = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        platform::WindowSystem* system = platform::StartWindowSystem("jostrela-bench");
        const platform::WindowRequest request{
            "jostrela-bench", platform::WindowStyle::Hidden, 0, 0, 640, 480, 32, 32};
        platform::Window* window = nullptr;
        if (platform::OpenWindow(system, request, window) != platform::OpenStep::Done) {
            return false;
        }
        glViewport(0, 0, 640, 480);
        return true;
    }();
    return open;
}

} // namespace bench_context
