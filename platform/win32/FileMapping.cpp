#include "platform/win32/PlatformState.hpp"

namespace platform {

bool MapFile(const char* path, const std::uint8_t*& data, std::size_t& size) {
    data = nullptr;
    size = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, kShareAsFopen, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER fileSize{};
    bool opened = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &fileSize) != 0;
    if (opened && fileSize.QuadPart > 0) {
        HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        const void* view = mapping == nullptr ? nullptr : MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
        opened = view != nullptr;
        if (opened) {
            data = static_cast<const std::uint8_t*>(view);
            size = static_cast<std::size_t>(fileSize.QuadPart);
        }
        // The view keeps the mapping and the file open until it is unmapped.
        if (mapping != nullptr) {
            CloseHandle(mapping);
        }
    }
    CloseHandle(file);
    return opened;
}

bool MappedFileChanged(const std::uint8_t*) {
    // Windows refuses to cut short a file while a view of it is mapped.
    return false;
}

void UnmapFile(const std::uint8_t* data, std::size_t) {
    if (data != nullptr) {
        UnmapViewOfFile(data);
    }
}

} // namespace platform
