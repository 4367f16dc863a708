#pragma once

#include <cstddef>
#include <cstdint>

// A whole file mapped read-only into memory for the model and image readers; every byte is then
// read through a ByteCursor. Issues no GL calls.
class FileBytes {
  public:
    FileBytes() = default;
    ~FileBytes();
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    // Maps path; false when it cannot be opened or mapped (an empty file opens with size 0).
    bool Open(const char* path);

    const std::uint8_t* Data() const { return data; }
    std::size_t Size() const { return size; }

  private:
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};
