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

    // Maps path; false when it is not a regular file (a folder, a named pipe: never waited on) or
    // cannot be opened or mapped. An empty file opens with size 0.
    bool Open(const char* path);

    // True when the file was cut short while it was read: what was read past its new end was
    // zeros, not the file, and must not be used.
    bool Changed() const;

    const std::uint8_t* Data() const { return data; }
    std::size_t Size() const { return size; }

  private:
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};
