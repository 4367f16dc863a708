// libFuzzer target: the network layer's decoder and a host's first answer to a stranger.

#include "fuzz/NetChecks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzchecks::CheckNetDatagram(data, size);
    return 0;
}
