#include "platform/sdl/PlatformState.hpp"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace platform {

namespace {

bool displayLost = false;

// Xlib's own handlers print a line and end the process with code 1; the game would lose its
// orderly end. These only note the loss: Xlib then marks the connection dead, every later call on
// it returns at once, and the event loop hands the loss out as a close request.
int IgnoreIOError(Display*) {
    return 0;
}

void NoteDisplayLost(Display*, void*) {
    displayLost = true;
}

} // namespace

void WatchDisplayConnection(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    XSetIOErrorHandler(IgnoreIOError);
    XSetIOErrorExitHandler(info.info.x11.display, NoteDisplayLost, nullptr);
}

bool DisplayLost() {
    return displayLost;
}

} // namespace platform
