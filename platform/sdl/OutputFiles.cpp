#include "platform/Platform.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool IdentifyFile(const char* path, FileIdentity& identity) {
    struct stat status;
    if (stat(path, &status) != 0) {
        return false;
    }
    identity.volume = static_cast<std::uint64_t>(status.st_dev);
    identity.index = static_cast<std::uint64_t>(status.st_ino);
    identity.regular = S_ISREG(status.st_mode);
    return true;
}

std::FILE* OpenOutputFile(const char* path, bool& regular) {
    regular = false;
    // No O_TRUNC: a file is emptied only once it is known to be a regular one. O_NONBLOCK makes the
    // open of a named pipe without a reader fail (ENXIO) instead of waiting for one.
    const int descriptor = open(path, O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat status;
    bool usable = fstat(descriptor, &status) == 0 &&
                  (S_ISREG(status.st_mode) || S_ISCHR(status.st_mode) || S_ISFIFO(status.st_mode));
    regular = usable && S_ISREG(status.st_mode);
    if (regular) {
        usable = ftruncate(descriptor, 0) == 0;
    }
    const int flags = usable ? fcntl(descriptor, F_GETFL) : -1;
    if (flags < 0 || fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(descriptor);
        regular = false;
        return nullptr;
    }
    std::FILE* file = fdopen(descriptor, "wb");
    if (file == nullptr) {
        close(descriptor);
    }
    return file;
}

} // namespace platform
