#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace writers {

// Builds a little-endian chunk tree in memory: Begin writes a 6-byte header with a length to be
// filled in, End fills it with the bytes written since (header and nested chunks included).
// Tests use it directly to make files no well-behaved writer would make.
class ChunkWriter {
  public:
    void Begin(std::uint16_t id);
    void End();
    void U8(std::uint8_t value);
    void U16(std::uint16_t value);
    void U32(std::uint32_t value);
    void F32(float value);
    // The text's bytes and a terminating NUL.
    void Name(const std::string& text);
    void Bytes(const void* data, std::size_t count);

    // The bytes written so far; every Begin must have had its End.
    const std::vector<std::uint8_t>& Data() const { return data; }

  private:
    std::vector<std::uint8_t> data;
    std::vector<std::size_t> open; // offsets of the headers still waiting for their length
};

// Writes bytes to path, replacing the file; false when the file cannot be written whole.
bool WriteFileBytes(const char* path, const std::vector<std::uint8_t>& bytes);

} // namespace writers
