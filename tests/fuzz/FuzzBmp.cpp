// libFuzzer target: the BMP decoder over a file's bytes in memory.

#include "fuzz/ReaderChecks.hpp"

#include <cstdlib>

namespace {

std::uint32_t Load32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

// True when the info header claims more than a million pixels. The decoder treats such pictures
// exactly as smaller ones (the count only scales one allocation and the row loops, and its limit
// is tested by reader_limits_test), but clearing up to 192 MB for each such mutation would cut the
// fuzzer's pace to a few dozen inputs a second.
bool ClaimsHugePicture(const std::uint8_t* data, std::size_t size) {
    const std::size_t header = size >= 2 && data[0] == 'B' && data[1] == 'M' ? 14 : 0;
    if (size < header + 12) {
        return false;
    }
    const std::uint8_t* info = data + header;
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (Load32(info) == 12) {
        width = info[4] | info[5] << 8;
        height = info[6] | info[7] << 8;
    } else {
        width = std::int32_t(Load32(info + 4));
        height = std::int32_t(Load32(info + 8));
    }
    return std::abs(width) * std::abs(height) > (std::int64_t(1) << 20);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (ClaimsHugePicture(data, size)) {
        return 0;
    }
    SetMessageSink(fuzzchecks::DropMessage);
    fuzzchecks::CheckBmp(data, size);
    return 0;
}
