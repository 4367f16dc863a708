// libFuzzer target: the decoder of the serialised game state a network peer receives.

#include "fuzz/ReaderChecks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SetMessageSink(fuzzchecks::DropMessage);
    fuzzchecks::CheckState(data, size);
    return 0;
}
