#include "platform/win32/PlatformState.hpp"

#include "base/Message.hpp"
#include "platform/MessageLine.hpp"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace platform {

namespace {

// Lines on standard output and error end in a bare line feed, as on Linux: the C library would
// make each a carriage return and line feed, and tests compare the two systems' lines byte for
// byte. Set as the process starts, before the entry.
bool MakeStandardStreamsBinary() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    return true;
}

const bool binaryFromStart = MakeStandardStreamsBinary();

HWND boxOwner = nullptr;
bool focusOwnsBoxes = false;

} // namespace

void SetMessageBoxOwner(Window* owner) {
    boxOwner = owner == nullptr ? nullptr : owner->handle;
    focusOwnsBoxes = false;
}

void SetMessageBoxOwnerToFocus() {
    boxOwner = nullptr;
    focusOwnsBoxes = true;
}

void ShowMessageBox(const char* caption, const char* text, MessageIcon icon) {
    // A box of a model read during static construction may come before the line above has run.
    static const bool binary = MakeStandardStreamsBinary();
    static_cast<void>(binary);
    if (MessagesGoToStandardError()) {
        WriteMessageLine(caption, text);
        return;
    }
    UINT type = MB_OK;
    if (icon == MessageIcon::Information) {
        type |= MB_ICONINFORMATION;
    } else if (icon == MessageIcon::Exclamation) {
        type |= MB_ICONEXCLAMATION;
    }
    // A box shown while the quit request waits in the queue would take it and close at once,
    // unread (a refused fullscreen mode posts it before start-up, the release sequence before a
    // failed window step's message): the request is held back while the box is up.
    MSG quit{};
    const bool quitWaiting = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
    // The ANSI box takes the game's Windows-1252 bytes as they are.
    const int answer = MessageBoxA(focusOwnsBoxes ? GetFocus() : boxOwner, text, caption, type);
    if (quitWaiting) {
        PostQuitMessage(static_cast<int>(quit.wParam));
    }
    if (answer == 0) {
        WriteMessageLine(caption, text);
    }
}

} // namespace platform
