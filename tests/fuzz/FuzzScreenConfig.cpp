// libFuzzer target: the "scr.txt" parser over arbitrary bytes.

#include "fuzz/ReaderChecks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzchecks::CheckScreenConfig(data, size);
    return 0;
}
