#include "tools/writers/ChunkWriter.hpp"

#include <cassert>
#include <cstdio>
#include <cstring>

namespace writers {

void ChunkWriter::Begin(std::uint16_t id) {
    open.push_back(data.size());
    U16(id);
    U32(0);
}

void ChunkWriter::End() {
    assert(!open.empty());
    const std::size_t start = open.back();
    open.pop_back();
    const std::uint32_t length = static_cast<std::uint32_t>(data.size() - start);
    for (int i = 0; i < 4; ++i) {
        data[start + 2 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    }
}

void ChunkWriter::U8(std::uint8_t value) {
    data.push_back(value);
}

void ChunkWriter::U16(std::uint16_t value) {
    data.push_back(static_cast<std::uint8_t>(value));
    data.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ChunkWriter::U32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void ChunkWriter::F32(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    U32(bits);
}

void ChunkWriter::Name(const std::string& text) {
    Bytes(text.c_str(), text.size() + 1);
}

void ChunkWriter::Bytes(const void* bytes, std::size_t count) {
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    data.insert(data.end(), first, first + count);
}

bool WriteFileBytes(const char* path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

} // namespace writers
