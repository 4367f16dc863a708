#include "base/Text.hpp"
#include "platform/Platform.hpp"
#include "platform/sdl/PlatformState.hpp"

#include <SDL.h>

#include <algorithm>
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

WindowSystem* StartWindowSystem(const char* className) {
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
    return new WindowSystem{className == nullptr ? "" : className};
}

bool StopWindowSystem(WindowSystem* system) {
    if (system == nullptr) {
        return false;
    }
    delete system;
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
    const bool restored = SDL_SetWindowFullscreen(fullscreenWindow->sdl, 0) == 0;
    fullscreenWindow = nullptr;
    return restored;
}

namespace {

// A window of request's place and size (at least one pixel each way) with flags.
SDL_Window* MakeWindow(const WindowRequest& request, const std::string& title, Uint32 flags) {
    return SDL_CreateWindow(title.c_str(), request.x, request.y, std::max(request.width, 1),
                            std::max(request.height, 1), flags);
}

// The OpenGL window of request with the deepest of its depth, 24 and 16 bits the driver gives (a
// depth it cannot give fails at window creation); null when none.
SDL_Window* MakeGLWindow(const WindowRequest& request, const std::string& title, Uint32 flags) {
    SetColourAttributes(request.colourBits);
    for (const int depth : {request.depthBits, 24, 16}) {
        if (depth > request.depthBits || depth <= 0) {
            continue;
        }
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
        SDL_Window* sdl = MakeWindow(request, title, flags | SDL_WINDOW_OPENGL);
        if (sdl != nullptr) {
            return sdl;
        }
    }
    return nullptr;
}

// Which step a window that could not be made failed at: the pixel format when a plain window of the
// request can be had, else the window itself.
OpenStep WhyNoWindow(const WindowRequest& request, const std::string& title, Uint32 flags) {
    SDL_Window* plain = MakeWindow(request, title, flags);
    if (plain == nullptr) {
        return OpenStep::Window;
    }
    SDL_DestroyWindow(plain);
    return OpenStep::ChooseFormat;
}

} // namespace

OpenStep OpenWindow(WindowSystem* system, const WindowRequest& request, Window*& window) {
    window = nullptr;
    if (system == nullptr) {
        return OpenStep::Window;
    }
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (request.style == WindowStyle::Windowed) {
        flags |= SDL_WINDOW_RESIZABLE;
    } else if (request.style == WindowStyle::Fullscreen) {
        flags |= SDL_WINDOW_BORDERLESS;
    }
    // SDL has no surface apart from its window: the pixel format is chosen as the window is made.
    const std::string title = Cp1252ToUtf8(request.title);
    SDL_Window* sdl = MakeGLWindow(request, title, flags);
    if (sdl == nullptr) {
        return WhyNoWindow(request, title, flags);
    }
    // Every window of the game shares this one connection to the X server.
    WatchDisplayConnection(sdl);
    window = new Window{sdl, nullptr, request.style};
    window->context = SDL_GL_CreateContext(sdl);
    if (window->context == nullptr) {
        return OpenStep::CreateContext;
    }
    // Frames run back to back: no vertical-sync wait. A driver that cannot say so is no error.
    SDL_GL_SetSwapInterval(0);
    if (SDL_GL_MakeCurrent(sdl, window->context) != 0) {
        return OpenStep::MakeCurrent;
    }
    return OpenStep::Done;
}

bool ShowWindow(Window* window) {
    if (window == nullptr || window->style == WindowStyle::Hidden) {
        return true;
    }
    SDL_Window* sdl = window->sdl;
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

CloseFailures CloseWindow(Window* window) {
    CloseFailures failures{};
    if (window == nullptr) {
        return failures;
    }
    if (window->context != nullptr) {
        failures.releaseCurrent = SDL_GL_MakeCurrent(window->sdl, nullptr) != 0;
        SDL_GL_DeleteContext(window->context);
    }
    if (fullscreenWindow == window) {
        fullscreenWindow = nullptr;
    }
    // Destroying a window waits for the X server to confirm it, which a lost server never does.
    if (!DisplayLost()) {
        SDL_DestroyWindow(window->sdl);
    }
    delete window;
    return failures;
}

void* GLFunction(const char* name) {
    return SDL_GL_GetProcAddress(name);
}

bool SwapBuffers(Window* window) {
    if (window == nullptr) {
        return false;
    }
    SDL_GL_SwapWindow(window->sdl);
    return true;
}

void SurfaceSize(Window* window, int& width, int& height) {
    width = 0;
    height = 0;
    if (window != nullptr) {
        ClientSize(window->sdl, width, height);
    }
}

void SetWindowTitle(Window* window, const char* title) {
    if (window != nullptr) {
        SDL_SetWindowTitle(window->sdl, Cp1252ToUtf8(title).c_str());
    }
}

void SetCursorVisible(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

} // namespace platform
