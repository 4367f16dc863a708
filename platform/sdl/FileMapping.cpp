#include "platform/Platform.hpp"

#include <sys/mman.h>
#include <sys/stat.h>

namespace platform {

bool MapFile(const char* path, const std::uint8_t*& data, std::size_t& size) {
    data = nullptr;
    size = 0;
    std::FILE* file = OpenRegularFile(path);
    if (file == nullptr) {
        return false;
    }
    struct stat status;
    bool opened = fstat(fileno(file), &status) == 0;
    // The mapping only reserves addresses: a page is read from the file when a reader first looks
    // at it, so the readers' cost follows the bytes they walk, not the file's size.
    if (opened && status.st_size > 0) {
        void* view =
            mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fileno(file), 0);
        opened = view != MAP_FAILED;
        if (opened) {
            data = static_cast<const std::uint8_t*>(view);
            size = static_cast<std::size_t>(status.st_size);
        }
    }
    // The mapping stays valid after the file is closed.
    std::fclose(file);
    return opened;
}

void UnmapFile(const std::uint8_t* data, std::size_t size) {
    if (data != nullptr) {
        munmap(const_cast<std::uint8_t*>(data), size);
    }
}

} // namespace platform
