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

WindowClass* RegisterWindowClass(const char* className) {
    WindowClass* windowClass =
        new WindowClass{className == nullptr ? "" : className, GetModuleHandleA(nullptr)};
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

bool UnregisterWindowClass(WindowClass* windowClass) {
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

Window* OpenWindow(WindowClass* windowClass, const char* title, WindowStyle style, int x, int y, int width,
                   int height) {
    if (windowClass == nullptr) {
        return nullptr;
    }
    DWORD windowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (style != WindowStyle::Windowed) {
        windowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    }
    // Titles are Windows-1252 bytes, which the ANSI calls take as they are.
    HWND handle = CreateWindowExA(0, windowClass->name.c_str(), title, windowStyle, x, y, width, height,
                                  nullptr, nullptr, windowClass->instance, nullptr);
    if (handle == nullptr) {
        return nullptr;
    }
    return new Window{handle, style};
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

bool DestroyWindow(Window* window) {
    if (window == nullptr) {
        return false;
    }
    const bool destroyed = ::DestroyWindow(window->handle) != 0;
    delete window;
    return destroyed;
}

DeviceContext* GetDeviceContext(Window* window) {
    if (window == nullptr) {
        return nullptr;
    }
    HDC handle = GetDC(window->handle);
    if (handle == nullptr) {
        return nullptr;
    }
    return new DeviceContext{handle, window};
}

bool ReleaseDeviceContext(Window* window, DeviceContext* deviceContext) {
    if (window == nullptr || deviceContext == nullptr) {
        return false;
    }
    const bool released = ReleaseDC(window->handle, deviceContext->handle) != 0;
    delete deviceContext;
    return released;
}

int ChoosePixelFormat(DeviceContext* deviceContext, int colourBits, int depthBits) {
    if (deviceContext == nullptr) {
        return 0;
    }
    // The driver answers with its closest format, shallower depth buffers included.
    const PIXELFORMATDESCRIPTOR descriptor = Descriptor(colourBits, depthBits);
    return ::ChoosePixelFormat(deviceContext->handle, &descriptor);
}

bool SetPixelFormat(DeviceContext* deviceContext, int format) {
    if (deviceContext == nullptr || format == 0) {
        return false;
    }
    PIXELFORMATDESCRIPTOR descriptor{};
    DescribePixelFormat(deviceContext->handle, format, sizeof descriptor, &descriptor);
    return ::SetPixelFormat(deviceContext->handle, format, &descriptor) != 0;
}

GLContext* CreateGLContext(DeviceContext* deviceContext) {
    if (deviceContext == nullptr) {
        return nullptr;
    }
    HGLRC handle = wglCreateContext(deviceContext->handle);
    if (handle == nullptr) {
        return nullptr;
    }
    return new GLContext{handle};
}

bool MakeCurrent(DeviceContext* deviceContext, GLContext* context) {
    if (context == nullptr) {
        return wglMakeCurrent(nullptr, nullptr) != 0;
    }
    return deviceContext != nullptr && wglMakeCurrent(deviceContext->handle, context->handle) != 0;
}

bool DeleteGLContext(GLContext* context) {
    if (context == nullptr) {
        return false;
    }
    const bool deleted = wglDeleteContext(context->handle) != 0;
    delete context;
    return deleted;
}

void* GLFunction(const char* name) {
    return reinterpret_cast<void*>(wglGetProcAddress(name));
}

bool SwapBuffers(DeviceContext* deviceContext) {
    return deviceContext != nullptr && ::SwapBuffers(deviceContext->handle) != 0;
}

void SurfaceSize(DeviceContext* deviceContext, int& width, int& height) {
    width = 0;
    height = 0;
    RECT client{};
    if (deviceContext != nullptr && GetClientRect(deviceContext->window->handle, &client) != 0) {
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
