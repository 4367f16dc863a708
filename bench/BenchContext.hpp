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
        platform::WindowClass* windowClass = platform::RegisterWindowClass("jostrela-bench");
        platform::Window* window = platform::OpenWindow(windowClass, "jostrela-bench",
                                                        platform::WindowStyle::Hidden, 0, 0, 640, 480);
        platform::DeviceContext* surface = platform::GetDeviceContext(window);
        if (surface == nullptr ||
            !platform::SetPixelFormat(surface, platform::ChoosePixelFormat(surface, 32, 32))) {
            return false;
        }
        platform::GLContext* context = platform::CreateGLContext(surface);
        if (context == nullptr || !platform::MakeCurrent(surface, context)) {
            return false;
        }
        glViewport(0, 0, 640, 480);
        return true;
    }();
    return open;
}

} // namespace bench_context
