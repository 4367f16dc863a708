// Replays every input a fuzz target once failed on (tests/data/regressions/<target>/) through the
// same reader and checks as the target does, so a fixed reader stays fixed in the normal build.

#include "fuzz/ReaderChecks.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using CheckFunction = void (*)(const std::uint8_t* data, std::size_t size);

// Runs check over each file of the target's regression folder (none is fine: nothing found yet).
void ReplayRegressions(const char* target, CheckFunction check) {
    const char* root = std::getenv("JOSTRELA_TEST_DATA");
    ASSERT_NE(root, nullptr) << "JOSTRELA_TEST_DATA must name tests/data";
    const std::filesystem::path folder = std::filesystem::path(root) / "regressions" / target;
    if (!std::filesystem::is_directory(folder)) {
        return;
    }
    const MessageSink previous = SetMessageSink(fuzzchecks::DropMessage);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                              std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().string());
        check(bytes.data(), bytes.size());
    }
    SetMessageSink(previous);
}

} // namespace

TEST(FuzzRegressions, ScreenConfigurations) {
    ReplayRegressions("fuzz_screen_config", fuzzchecks::CheckScreenConfig);
}

TEST(FuzzRegressions, KeyScripts) {
    ReplayRegressions("fuzz_key_script", fuzzchecks::CheckKeyScript);
}

TEST(FuzzRegressions, Models3ds) {
    ReplayRegressions("fuzz_3ds", fuzzchecks::Check3ds);
}

TEST(FuzzRegressions, BmpImages) {
    ReplayRegressions("fuzz_bmp", fuzzchecks::CheckBmp);
}
