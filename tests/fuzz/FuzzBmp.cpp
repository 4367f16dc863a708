// libFuzzer target: the BMP decoder over a file's bytes in memory, with the fixed texture side the
// tools use. The decoder bounds its own cost (rows must be in the file, run-length data must be
// long enough for its picture), so every input is decoded whatever size it claims.

#include "fuzz/ReaderChecks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SetMessageSink(fuzzchecks::DropMessage);
    fuzzchecks::CheckBmp(data, size);
    return 0;
}
