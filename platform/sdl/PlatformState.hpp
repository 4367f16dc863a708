#pragma once

// The layer's own records behind the opaque handles of Platform.hpp. Included only inside
// platform/.

#include "platform/Platform.hpp"

#include <SDL.h>

#include <string>

namespace platform {

struct WindowSystem {
    std::string name;
};

struct Window {
    SDL_Window* sdl;       // an OpenGL window; null until one could be made
    SDL_GLContext context; // null until made
    WindowStyle style;
};

// The size in pixels of the window's client area as the window system has it (after a fullscreen
// switch SDL's own idea of it may be the display mode's instead).
void ClientSize(SDL_Window* sdl, int& width, int& height);

// The window an input device is bound to has the keyboard focus.
bool HasKeyboardFocus(const Window* window);

// From the first window on, a lost connection to the X server no longer ends the process: it is
// noted, and DisplayLost is true from then on. Nothing for other video drivers.
void WatchDisplayConnection(SDL_Window* window);
bool DisplayLost();

} // namespace platform
