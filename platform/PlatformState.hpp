#pragma once

// The layer's own records behind the opaque handles of Platform.hpp. Included only inside
// platform/.

#include "platform/Platform.hpp"

#include <SDL.h>

namespace platform {

struct Module {
    int unused;
};

struct DeviceContext {
    SDL_Window* sdl;
    int colourBits;
    int depthBits; // the depth buffer the window was made with
};

struct Window {
    DeviceContext surface;
    WindowStyle style;
};

struct GLContext {
    SDL_GLContext sdl;
};

// The window an input device is bound to has the keyboard focus.
bool HasKeyboardFocus(const Window* window);

} // namespace platform
