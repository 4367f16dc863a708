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

} // namespace

void ShowMessageBox(const char* caption, const char* text, BoxIcon icon) {
    // A box of a model read during static construction may come before the line above has run.
    static const bool binary = MakeStandardStreamsBinary();
    static_cast<void>(binary);
    if (MessagesGoToStandardError()) {
        WriteMessageLine(caption, text);
        return;
    }
    UINT type = MB_OK;
    if (icon == BoxIcon::Information) {
        type |= MB_ICONINFORMATION;
    } else if (icon == BoxIcon::Exclamation) {
        type |= MB_ICONEXCLAMATION;
    }
    // The ANSI box takes the game's Windows-1252 bytes as they are.
    if (MessageBoxA(nullptr, text, caption, type) == 0) {
        WriteMessageLine(caption, text);
    }
}

} // namespace platform
