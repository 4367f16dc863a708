#include "base/StopRequest.hpp"
#include "platform/win32/PlatformState.hpp"

namespace platform {

namespace {

// What the window procedure saw while the system called it (inside DispatchMessage, or inside
// CreateWindowEx and ShowWindow, which send messages), handed out by PeekEvent. One dispatch may
// bring any number of messages (a drag-resize sends every size of the drag inside one), so they are
// kept by what they mean, never by count: the sizes become the last one, the close requests one.
bool sizePending = false;
int pendingWidth = 0;
int pendingHeight = 0;
bool closePending = false;

// A stop request (a signal the C library raises; Ctrl+C reaches only a program attached to a
// console, which the windowed game is not) is handed out once, as a close.
bool stopDelivered = false;

Event Make(EventKind kind) {
    Event event{};
    event.kind = kind;
    return event;
}

// The size first: a close handled before it would leave the size nothing to apply to anyway.
bool TakePending(Event& event) {
    if (sizePending) {
        sizePending = false;
        event = Make(EventKind::Resize);
        event.width = pendingWidth;
        event.height = pendingHeight;
        return true;
    }
    if (closePending) {
        closePending = false;
        event = Make(EventKind::Close);
        return true;
    }
    return false;
}

} // namespace

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        sizePending = true;
        pendingWidth = LOWORD(lParam);
        pendingHeight = HIWORD(lParam);
        break;
    case WM_CLOSE:
        // The game decides: the window is destroyed by its own release sequence.
        closePending = true;
        return 0;
    case WM_SYSCOMMAND:
        // No screen saver and no monitor power-down while the game has the window.
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) {
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool PeekEvent(Event& event) {
    if (StopRequested() && !stopDelivered) {
        stopDelivered = true;
        event = Make(EventKind::Close);
        return true;
    }
    if (TakePending(event)) {
        return true;
    }
    MSG message{};
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) == 0) {
        return false;
    }
    if (message.message == WM_QUIT) {
        event = Make(EventKind::Quit);
        event.code = static_cast<int>(message.wParam);
        return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (!TakePending(event)) {
        event = Make(EventKind::Other);
    }
    return true;
}

void PostQuit(int code) {
    PostQuitMessage(code);
}

} // namespace platform
