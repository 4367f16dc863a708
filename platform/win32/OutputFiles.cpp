#include "platform/win32/PlatformState.hpp"

#include <fcntl.h>
#include <io.h>

namespace platform {

bool IdentifyFile(const char* path, FileIdentity& identity) {
    // Backup semantics open folders too; no access is asked for, only the file's information.
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    const bool disk = GetFileType(file) == FILE_TYPE_DISK;
    CloseHandle(file);
    if (!known) {
        return false;
    }
    identity.volume = information.dwVolumeSerialNumber;
    identity.index =
        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    identity.regular = disk && (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    return true;
}

std::FILE* OpenOutputFile(const char* path, bool& regular) {
    regular = false;
    // OPEN_ALWAYS keeps what is there until the file is known to be a disk file; opening a pipe's
    // client end never waits (a busy pipe fails at once).
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    const DWORD type = GetFileType(file);
    bool usable = type == FILE_TYPE_DISK || type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
    regular = usable && type == FILE_TYPE_DISK;
    if (regular) {
        usable = SetEndOfFile(file) != 0;
    }
    const int descriptor =
        usable ? _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY) : -1;
    if (descriptor < 0) {
        CloseHandle(file);
        regular = false;
        return nullptr;
    }
    std::FILE* stream = _fdopen(descriptor, "wb");
    if (stream == nullptr) {
        _close(descriptor);
    }
    return stream;
}

} // namespace platform
