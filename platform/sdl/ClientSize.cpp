#include "platform/sdl/PlatformState.hpp"

#include <SDL_syswm.h>
#ifdef SDL_VIDEO_DRIVER_X11
#include <X11/Xlib.h>
#endif

namespace platform {

void ClientSize(SDL_Window* sdl, int& width, int& height) {
    SDL_GL_GetDrawableSize(sdl, &width, &height);
#ifdef SDL_VIDEO_DRIVER_X11
    // A fullscreen switch makes SDL take the window for the mode's size, but with no window manager
    // to carry it out the window keeps its own: the X server's answer is the one that counts.
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(sdl, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes) != 0) {
            width = attributes.width;
            height = attributes.height;
        }
    }
#endif
}

} // namespace platform
