#include "platform/win32/PlatformState.hpp"

namespace platform {

namespace {

// The mode enumerated last, whose fields a change keeps but for the size.
DEVMODEA enumeratedMode{};

PIXELFORMATDESCRIPTOR Descriptor(int colourBits, int depthBits) {
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = static_cast<BYTE>(colourBits);
    descriptor.cDepthBits = static_cast<BYTE>(depthBits);
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

} // namespace

WindowSystem* StartWindowSystem(const char* className) {
    WindowSystem* windowClass =
        new WindowSystem{className == nullptr ? "" : className, GetModuleHandleA(nullptr)};
    WNDCLASSA description{};
    description.style = CS_HREDRAW | CS_VREDRAW;
    description.lpfnWndProc = GameWindowProc;
    description.hInstance = windowClass->instance;
    description.hIcon = LoadIconA(nullptr, IDI_HAND);
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    description.lpszClassName = windowClass->name.c_str();
    if (RegisterClassA(&description) == 0) {
        delete windowClass;
        return nullptr;
    }
    return windowClass;
}

bool StopWindowSystem(WindowSystem* windowClass) {
    if (windowClass == nullptr) {
        return false;
    }
    const bool unregistered = UnregisterClassA(windowClass->name.c_str(), windowClass->instance) != 0;
    delete windowClass;
    return unregistered;
}

bool CurrentDisplayMode(DisplayMode& mode) {
    DEVMODEA current{};
    current.dmSize = sizeof current;
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current) == 0) {
        return false;
    }
    enumeratedMode = current;
    mode.width = static_cast<int>(current.dmPelsWidth);
    mode.height = static_cast<int>(current.dmPelsHeight);
    mode.refreshRate = static_cast<int>(current.dmDisplayFrequency);
    mode.format = current.dmBitsPerPel;
    return true;
}

bool ChangeDisplayMode(const DisplayMode& mode) {
    // The enumerated record keeps its field mask; size, depth and refresh are the ones given.
    DEVMODEA wanted = enumeratedMode;
    wanted.dmSize = sizeof wanted;
    wanted.dmPelsWidth = static_cast<DWORD>(mode.width);
    wanted.dmPelsHeight = static_cast<DWORD>(mode.height);
    wanted.dmBitsPerPel = mode.format;
    wanted.dmDisplayFrequency = static_cast<DWORD>(mode.refreshRate);
    if (wanted.dmFields == 0) {
        wanted.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
    }
    return ChangeDisplaySettingsA(&wanted, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

bool RestoreDisplayMode() {
    // Asking for the registry's mode when nothing was changed is harmless.
    return ChangeDisplaySettingsA(nullptr, 0) == DISP_CHANGE_SUCCESSFUL;
}

OpenStep OpenWindow(WindowSystem* windowClass, const WindowRequest& request, Window*& window) {
    window = nullptr;
    if (windowClass == nullptr) {
        return OpenStep::Window;
    }
    DWORD windowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (request.style != WindowStyle::Windowed) {
        windowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    }
    // Titles are Windows-1252 bytes, which the ANSI calls take as they are.
    HWND handle =
        CreateWindowExA(0, windowClass->name.c_str(), request.title, windowStyle, request.x, request.y,
                        request.width, request.height, nullptr, nullptr, windowClass->instance, nullptr);
    if (handle == nullptr) {
        return OpenStep::Window;
    }
    window = new Window{handle, request.style, nullptr, nullptr};
    window->deviceContext = GetDC(handle);
    if (window->deviceContext == nullptr) {
        return OpenStep::Surface;
    }
    // The driver answers with its closest format, shallower depth buffers included.
    const PIXELFORMATDESCRIPTOR descriptor = Descriptor(request.colourBits, request.depthBits);
    const int format = ::ChoosePixelFormat(window->deviceContext, &descriptor);
    if (format == 0) {
        return OpenStep::ChooseFormat;
    }
    PIXELFORMATDESCRIPTOR chosen{};
    DescribePixelFormat(window->deviceContext, format, sizeof chosen, &chosen);
    if (::SetPixelFormat(window->deviceContext, format, &chosen) == 0) {
        return OpenStep::SetFormat;
    }
    window->context = wglCreateContext(window->deviceContext);
    if (window->context == nullptr) {
        return OpenStep::CreateContext;
    }
    if (wglMakeCurrent(window->deviceContext, window->context) == 0) {
        return OpenStep::MakeCurrent;
    }
    return OpenStep::Done;
}

bool ShowWindow(Window* window) {
    if (window == nullptr || window->style == WindowStyle::Hidden) {
        return true;
    }
    ::ShowWindow(window->handle, SW_SHOW);
    SetForegroundWindow(window->handle);
    SetFocus(window->handle);
    // ChangeDisplaySettings has already said whether the display took the mode.
    return true;
}

CloseFailures CloseWindow(Window* window) {
    CloseFailures failures{};
    if (window == nullptr) {
        return failures;
    }
    if (window->context != nullptr) {
        failures.releaseCurrent = wglMakeCurrent(nullptr, nullptr) == 0;
        failures.deleteContext = wglDeleteContext(window->context) == 0;
    }
    if (window->deviceContext != nullptr) {
        failures.releaseSurface = ReleaseDC(window->handle, window->deviceContext) == 0;
    }
    failures.destroyWindow = ::DestroyWindow(window->handle) == 0;
    delete window;
    return failures;
}

void* GLFunction(const char* name) {
    return reinterpret_cast<void*>(wglGetProcAddress(name));
}

bool SwapBuffers(Window* window) {
    return window != nullptr && ::SwapBuffers(window->deviceContext) != 0;
}

void SurfaceSize(Window* window, int& width, int& height) {
    width = 0;
    height = 0;
    RECT client{};
    if (window != nullptr && GetClientRect(window->handle, &client) != 0) {
        width = client.right - client.left;
        height = client.bottom - client.top;
    }
}

void SetWindowTitle(Window* window, const char* title) {
    if (window != nullptr) {
        SetWindowTextA(window->handle, title);
    }
}

void SetCursorVisible(bool visible) {
    ShowCursor(visible ? TRUE : FALSE);
}

} // namespace platform
