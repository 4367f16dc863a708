#include "platform/OutputFile.hpp"

#include "platform/Platform.hpp"

namespace platform {

bool OpenOutput(OutputFile& output, const char* path) {
    output.path = path;
    output.failed = false;
    output.file = OpenOutputFile(path, output.regular);
    return output.file != nullptr;
}

bool WriteOutput(OutputFile& output, const void* data, std::size_t size, bool flush) {
    if (output.file == nullptr || output.failed) {
        return false;
    }
    output.failed =
        std::fwrite(data, 1, size, output.file) != size || (flush && std::fflush(output.file) != 0);
    return !output.failed;
}

bool CloseOutput(OutputFile& output) {
    if (output.file == nullptr) {
        return !output.failed;
    }
    // The last buffered bytes are written here: a full disk may show only now.
    const bool closed = std::fclose(output.file) == 0;
    output.file = nullptr;
    output.failed = output.failed || !closed;
    if (output.failed && output.regular) {
        std::remove(output.path.c_str());
    }
    return !output.failed;
}

} // namespace platform
