#include "platform/win32/PlatformState.hpp"

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace platform {

namespace {

// True when the caller handed the process a stream here: a file, a pipe, or a character device
// such as NUL or its console. A windowed program started from a console without redirection has
// none.
bool StreamGiven(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// Points descriptor number, the stream that writes to it and the standard handle which at the
// console. A windowed program's standard streams start with no descriptor at all (-2), and freopen
// refuses such a stream, so the descriptor is made first and the stream pointed at it.
void ToConsole(std::FILE* stream, int number, DWORD which) {
    HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) {
        return;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(console), _O_TEXT);
    if (descriptor < 0) {
        CloseHandle(console);
        return;
    }
    if (_dup2(descriptor, number) == 0) {
        stream->_file = number;
        SetStdHandle(which, reinterpret_cast<HANDLE>(_get_osfhandle(number)));
    }
    _close(descriptor);
}

} // namespace

void AttachParentConsole() {
    const bool output = StreamGiven(STD_OUTPUT_HANDLE);
    const bool error = StreamGiven(STD_ERROR_HANDLE);
    if (output && error) {
        return;
    }
    // Windows attaches a windowed program to no console; Wine attaches it to its parent's already
    // (the call then fails with ERROR_ACCESS_DENIED). Without a parent console nothing changes.
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) {
        return;
    }
    if (!output) {
        ToConsole(stdout, 1, STD_OUTPUT_HANDLE);
    }
    if (!error) {
        ToConsole(stderr, 2, STD_ERROR_HANDLE);
    }
}

} // namespace platform
