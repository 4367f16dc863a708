// libFuzzer target: the 3DS reader, vertex normals included, over a file's bytes in memory.

#include "fuzz/ReaderChecks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SetMessageSink(fuzzchecks::DropMessage);
    fuzzchecks::Check3ds(data, size);
    return 0;
}
