// libFuzzer target: the key-script parser and the replay of what it accepts.

#include "fuzz/ReaderChecks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SetMessageSink(fuzzchecks::DropMessage);
    fuzzchecks::CheckKeyScript(data, size);
    return 0;
}
