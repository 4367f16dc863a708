#include "model/FileBytes.hpp"

#include "platform/Platform.hpp"

FileBytes::~FileBytes() {
    platform::UnmapFile(data, size);
}

bool FileBytes::Open(const char* path) {
    return platform::MapFile(path, data, size);
}

bool FileBytes::Changed() const {
    return platform::MappedFileChanged(data);
}
