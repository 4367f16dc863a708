// libFuzzer target: the game's start-up path short of GL over a level file's bytes (model, normals,
// octree build, leaf arrays), with the costs the game bounds bounded here too.

#include "fuzz/ReaderChecks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SetMessageSink(fuzzchecks::DropMessage);
    fuzzchecks::CheckStartUp(data, size);
    return 0;
}
