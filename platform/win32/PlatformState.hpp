#pragma once

// The layer's own records behind the opaque handles of Platform.hpp, Windows side. Included only
// inside platform/win32.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/Platform.hpp"

#include <string>

namespace platform {

struct WindowSystem {
    std::string name;
    HINSTANCE instance; // the module the class is registered for
};

struct Window {
    HWND handle;
    WindowStyle style;
    HDC deviceContext; // null until taken
    HGLRC context;     // null until made
};

// The sharing the C library's fopen opens files with: others may go on reading and writing them
// (an editor holding a texture open for writing does not make it missing).
constexpr DWORD kShareAsFopen = FILE_SHARE_READ | FILE_SHARE_WRITE;

// The window procedure of every window of the game's classes.
LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platform
