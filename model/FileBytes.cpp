#include "model/FileBytes.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

FileBytes::~FileBytes() {
    if (data != nullptr) {
        munmap(const_cast<std::uint8_t*>(data), size);
    }
}

bool FileBytes::Open(const char* path) {
    const int descriptor = open(path, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    struct stat status;
    bool opened = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    if (opened && status.st_size > 0) {
        void* view =
            mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, descriptor, 0);
        opened = view != MAP_FAILED;
        if (opened) {
            data = static_cast<const std::uint8_t*>(view);
            size = static_cast<std::size_t>(status.st_size);
        }
    }
    // The mapping stays valid after the descriptor is closed.
    close(descriptor);
    return opened;
}
