#include "base/StopRequest.hpp"
#include "platform/win32/PlatformState.hpp"

namespace platform {

namespace {

// Events the window procedure produced while the system called it (inside DispatchMessage, or
// inside CreateWindowEx and ShowWindow, which send messages), handed out by PeekEvent in order. A
// few a frame at most; a full queue drops the newest.
Event pending[32];
int pendingFirst = 0;
int pendingCount = 0;

// A stop request (Ctrl+C in the console the game was started from) is handed out once, as a close.
bool stopDelivered = false;

void Push(const Event& event) {
    if (pendingCount < static_cast<int>(sizeof pending / sizeof pending[0])) {
        pending[(pendingFirst + pendingCount) % 32] = event;
        ++pendingCount;
    }
}

bool Pop(Event& event) {
    if (pendingCount == 0) {
        return false;
    }
    event = pending[pendingFirst];
    pendingFirst = (pendingFirst + 1) % 32;
    --pendingCount;
    return true;
}

} // namespace

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: {
        Event event{};
        event.kind = EventKind::Resize;
        event.width = LOWORD(lParam);
        event.height = HIWORD(lParam);
        Push(event);
        break;
    }
    case WM_CLOSE: {
        // The game decides: the window is destroyed by its own release sequence.
        Event event{};
        event.kind = EventKind::Close;
        Push(event);
        return 0;
    }
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
        event = Event{};
        event.kind = EventKind::Close;
        return true;
    }
    if (Pop(event)) {
        return true;
    }
    MSG message{};
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) == 0) {
        return false;
    }
    if (message.message == WM_QUIT) {
        event = Event{};
        event.kind = EventKind::Quit;
        event.code = static_cast<int>(message.wParam);
        return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (!Pop(event)) {
        event = Event{};
        event.kind = EventKind::Other;
    }
    return true;
}

void PostQuit(int code) {
    PostQuitMessage(code);
}

} // namespace platform
