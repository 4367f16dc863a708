#include "base/Text.hpp"
#include "platform/Platform.hpp"
#include "platform/sdl/PlatformState.hpp"

#include <SDL.h>

#include <cstring>
#include <string>

namespace platform {

namespace {

// The mode set by ChangeDisplayMode, taken by the next fullscreen window when it is shown.
bool modePending = false;
SDL_DisplayMode pendingMode{};

// The one window in fullscreen, whose leaving restores the desktop mode.
Window* fullscreenWindow = nullptr;

void SetColourAttributes(int colourBits) {
    int red = 0;
    int green = 0;
    int blue = 0;
    if (colourBits >= 24) {
        red = green = blue = 8;
    } else if (colourBits >= 15) {
        red = 5;
        green = colourBits >= 16 ? 6 : 5;
        blue = 5;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, red);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, green);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, blue);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

// True when the video service SDL started shows nothing (its off-screen or dummy driver) and the
// environment did not ask for it by name.
bool StartedUnseen() {
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    const bool invisible =
        driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    return invisible && (asked == nullptr || *asked == '\0');
}

} // namespace

WindowClass* RegisterWindowClass(const char* className) {
    // The close box must reach the game as a close request, never as an automatic quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    // With no display to reach, SDL either fails or falls back to a driver that shows nothing: a
    // game nobody can see would run on unseen and never end, so both are failures. An X server that
    // is starting or resetting (as a virtual one does when its last client leaves) refuses
    // connections for a moment, so a display that is named gets a second of tries first.
    const char* display = SDL_getenv("DISPLAY");
    const int tries = display != nullptr && *display != '\0' ? 10 : 1;
    for (int attempt = 1;; ++attempt) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            if (!StartedUnseen()) {
                break;
            }
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
        if (attempt == tries) {
            return nullptr;
        }
        SDL_Delay(100);
    }
    SDL_DisableScreenSaver();
    return new WindowClass{className == nullptr ? "" : className};
}

bool UnregisterWindowClass(WindowClass* windowClass) {
    if (windowClass == nullptr) {
        return false;
    }
    delete windowClass;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return false;
    }
    // Closing a connection the X server dropped ends the process inside Xlib; the process is about
    // to end anyway, so the video service is left as it is.
    if (!DisplayLost()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    return true;
}

bool CurrentDisplayMode(DisplayMode& mode) {
    SDL_DisplayMode current{};
    if (SDL_GetCurrentDisplayMode(0, &current) != 0) {
        return false;
    }
    mode.width = current.w;
    mode.height = current.h;
    mode.refreshRate = current.refresh_rate;
    mode.format = current.format;
    return true;
}

bool ChangeDisplayMode(const DisplayMode& mode) {
    // The display may not offer the size at all (a virtual screen offers only its own); the closest
    // mode must be exactly the one asked for, or the change is refused.
    SDL_DisplayMode wanted{};
    wanted.w = mode.width;
    wanted.h = mode.height;
    wanted.refresh_rate = mode.refreshRate;
    wanted.format = mode.format;
    SDL_DisplayMode closest{};
    if (SDL_GetClosestDisplayMode(0, &wanted, &closest) == nullptr) {
        return false;
    }
    if (closest.w != mode.width || closest.h != mode.height) {
        return false;
    }
    pendingMode = closest;
    modePending = true;
    return true;
}

bool RestoreDisplayMode() {
    modePending = false;
    if (fullscreenWindow == nullptr || DisplayLost()) {
        return true;
    }
    const bool restored = SDL_SetWindowFullscreen(fullscreenWindow->surface.sdl, 0) == 0;
    fullscreenWindow = nullptr;
    return restored;
}

Window* OpenWindow(WindowClass* windowClass, const char* title, WindowStyle style, int x, int y, int width,
                   int height) {
    if (windowClass == nullptr) {
        return nullptr;
    }
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (style == WindowStyle::Windowed) {
        flags |= SDL_WINDOW_RESIZABLE;
    } else if (style == WindowStyle::Fullscreen) {
        flags |= SDL_WINDOW_BORDERLESS;
    }
    Window* window = new Window{};
    window->style = style;
    window->title = Cp1252ToUtf8(title);
    window->x = x;
    window->y = y;
    window->width = width < 1 ? 1 : width;
    window->height = height < 1 ? 1 : height;
    window->flags = flags;
    // A plain window until the pixel format is chosen: the surface's visual is fixed when an
    // OpenGL window is made, so ChoosePixelFormat replaces this one.
    window->surface.sdl = SDL_CreateWindow(window->title.c_str(), x, y, window->width, window->height, flags);
    if (window->surface.sdl == nullptr) {
        delete window;
        return nullptr;
    }
    // Every window of the game shares this one connection to the X server.
    WatchDisplayConnection(window->surface.sdl);
    window->surface.window = window;
    return window;
}

bool ShowWindow(Window* window) {
    if (window == nullptr || window->style == WindowStyle::Hidden) {
        return true;
    }
    SDL_Window* sdl = window->surface.sdl;
    const bool switching = window->style == WindowStyle::Fullscreen && modePending;
    if (switching) {
        SDL_SetWindowDisplayMode(sdl, &pendingMode);
        SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN);
        fullscreenWindow = window;
    }
    SDL_ShowWindow(sdl);
    SDL_RaiseWindow(sdl);
    SDL_SetWindowInputFocus(sdl);
    if (!switching) {
        return true;
    }
    // The switch is only known to have worked when the display now runs the mode asked for.
    SDL_DisplayMode current{};
    const int display = SDL_GetWindowDisplayIndex(sdl);
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &current) != 0) {
        return false;
    }
    return current.w == pendingMode.w && current.h == pendingMode.h;
}

bool DestroyWindow(Window* window) {
    if (window == nullptr) {
        return false;
    }
    if (fullscreenWindow == window) {
        fullscreenWindow = nullptr;
    }
    // Destroying a window waits for the X server to confirm it, which a lost server never does.
    if (!DisplayLost()) {
        SDL_DestroyWindow(window->surface.sdl);
    }
    delete window;
    return true;
}

DeviceContext* GetDeviceContext(Window* window) {
    return window == nullptr ? nullptr : &window->surface;
}

bool ReleaseDeviceContext(Window* window, DeviceContext* deviceContext) {
    return window != nullptr && deviceContext == &window->surface;
}

int ChoosePixelFormat(DeviceContext* deviceContext, int colourBits, int depthBits) {
    if (deviceContext == nullptr) {
        return 0;
    }
    if (deviceContext->depthBits != 0) {
        return deviceContext->depthBits;
    }
    const Window* window = deviceContext->window;
    SetColourAttributes(colourBits);
    // A depth the driver cannot give fails at window creation, so each depth tried needs a fresh
    // window: the deepest of depthBits, 24 and 16 bits wins and takes the plain window's place.
    for (const int depth : {depthBits, 24, 16}) {
        if (depth > depthBits || depth <= 0) {
            continue;
        }
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
        SDL_Window* sdl = SDL_CreateWindow(window->title.c_str(), window->x, window->y, window->width,
                                           window->height, window->flags | SDL_WINDOW_OPENGL);
        if (sdl != nullptr) {
            SDL_DestroyWindow(deviceContext->sdl);
            deviceContext->sdl = sdl;
            deviceContext->depthBits = depth;
            return depth;
        }
    }
    return 0;
}

bool SetPixelFormat(DeviceContext* deviceContext, int format) {
    return deviceContext != nullptr && format != 0 && format == deviceContext->depthBits;
}

GLContext* CreateGLContext(DeviceContext* deviceContext) {
    if (deviceContext == nullptr) {
        return nullptr;
    }
    SDL_GLContext sdl = SDL_GL_CreateContext(deviceContext->sdl);
    if (sdl == nullptr) {
        return nullptr;
    }
    // Frames run back to back: no vertical-sync wait. A driver that cannot say so is no error.
    SDL_GL_SetSwapInterval(0);
    return new GLContext{sdl};
}

bool MakeCurrent(DeviceContext* deviceContext, GLContext* context) {
    SDL_Window* sdl = deviceContext == nullptr ? nullptr : deviceContext->sdl;
    return SDL_GL_MakeCurrent(sdl, context == nullptr ? nullptr : context->sdl) == 0;
}

bool DeleteGLContext(GLContext* context) {
    if (context == nullptr) {
        return false;
    }
    SDL_GL_DeleteContext(context->sdl);
    delete context;
    return true;
}

void* GLFunction(const char* name) {
    return SDL_GL_GetProcAddress(name);
}

bool SwapBuffers(DeviceContext* deviceContext) {
    if (deviceContext == nullptr) {
        return false;
    }
    SDL_GL_SwapWindow(deviceContext->sdl);
    return true;
}

void SurfaceSize(DeviceContext* deviceContext, int& width, int& height) {
    width = 0;
    height = 0;
    if (deviceContext != nullptr) {
        ClientSize(deviceContext->sdl, width, height);
    }
}

void SetWindowTitle(Window* window, const char* title) {
    if (window != nullptr) {
        SDL_SetWindowTitle(window->surface.sdl, Cp1252ToUtf8(title).c_str());
    }
}

void SetCursorVisible(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

} // namespace platform
