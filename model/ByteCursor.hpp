#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Reads bytes in order from a buffer held in memory. A read never passes the buffer's end nor the
// limit it is given (an absolute offset): it takes what is there and returns the count taken.
class ByteCursor {
  public:
    ByteCursor(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    std::size_t Position() const { return position; }
    std::size_t Size() const { return size; }
    bool AtEnd() const { return position >= size; }

    // Bytes that a read bounded by limit may still take.
    std::size_t Available(std::size_t limit) const {
        const std::size_t end = limit < size ? limit : size;
        return position < end ? end - position : 0;
    }

    // Copies up to count bytes to target (nullptr: discards them); returns the count taken.
    std::size_t Read(void* target, std::size_t count, std::size_t limit) {
        const std::size_t available = Available(limit);
        const std::size_t taken = count < available ? count : available;
        if (target != nullptr && taken > 0) {
            std::memcpy(target, data + position, taken);
        }
        position += taken;
        return taken;
    }

    // The bytes at offset .. offset + count, or nullptr when they do not all lie in the buffer.
    const std::uint8_t* At(std::size_t offset, std::size_t count) const {
        return offset <= size && count <= size - offset ? data + offset : nullptr;
    }

  private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
};

// Little-endian decoding of bytes already bounds-checked.
inline std::uint16_t LoadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline std::uint32_t LoadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline float LoadF32(const std::uint8_t* p) {
    const std::uint32_t bits = LoadU32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
