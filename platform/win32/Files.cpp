#include "platform/win32/PlatformState.hpp"

#include <fcntl.h>
#include <io.h>

namespace platform {

std::FILE* OpenRegularFile(const char* path) {
    // A folder cannot be opened without FILE_FLAG_BACKUP_SEMANTICS, so only files get this far; a
    // pipe or a device (CON, NUL, COM1) is closed again.
    HANDLE file = CreateFileA(path, GENERIC_READ, kShareAsFopen, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return nullptr;
    }
    // From here the descriptor owns the handle, and the stream the descriptor.
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(file);
        return nullptr;
    }
    std::FILE* stream = _fdopen(descriptor, "rb");
    if (stream == nullptr) {
        _close(descriptor);
    }
    return stream;
}

} // namespace platform
