// libFuzzer target: the BMP decoder over a file's bytes in memory.

#include "fuzz/ReaderChecks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SetMessageSink(fuzzchecks::DropMessage);
    fuzzchecks::CheckBmp(data, size);
    return 0;
}
