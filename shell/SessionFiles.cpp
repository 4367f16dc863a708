#include "shell/SessionFiles.hpp"

#include "platform/Platform.hpp"

namespace {

std::uint64_t HashFile(const char* path) {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    if (!platform::MapFile(path, data, size)) {
        return 0;
    }
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ data[i]) * 0x100000001B3ull;
    }
    platform::UnmapFile(data, size);
    return hash;
}

} // namespace

net::SessionFiles GameFileHashes(const char* penguinFile, const char* levelFile) {
    net::SessionFiles files;
    files.levelHash = HashFile(levelFile);
    files.penguinHash = HashFile(penguinFile);
    return files;
}
