// Replays each fuzz target's seeds (tests/fuzz/seeds/<name>/) and every input it once failed on
// (tests/fuzz/regressions/<target>/) through the same reader and checks as the target does, so a
// fixed reader stays fixed in the normal build. A missing folder fails: it would replay nothing.

#include "fuzz/NetChecks.hpp"
#include "fuzz/ReaderChecks.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using CheckFunction = void (*)(const std::uint8_t* data, std::size_t size);

// Runs check over each file of folder (names starting with a dot excepted); returns how many.
int ReplayFolder(const std::filesystem::path& folder, CheckFunction check) {
    if (!std::filesystem::is_directory(folder)) {
        ADD_FAILURE() << folder << " is missing";
        return 0;
    }
    int replayed = 0;
    const MessageSink previous = SetMessageSink(fuzzchecks::DropMessage);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().front() == '.') {
            continue;
        }
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                              std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().string());
        check(bytes.data(), bytes.size());
        ++replayed;
    }
    SetMessageSink(previous);
    return replayed;
}

// The seeds must be there to replay; the regressions folder may be empty (nothing found yet).
void Replay(const char* seeds, const char* target, CheckFunction check) {
    const std::filesystem::path root(JOSTRELA_FUZZ_FOLDER);
    EXPECT_GT(ReplayFolder(root / "seeds" / seeds, check), 0) << "no seeds for " << target;
    ReplayFolder(root / "regressions" / target, check);
}

} // namespace

TEST(FuzzRegressions, ScreenConfigurations) {
    Replay("screen_config", "fuzz_screen_config", fuzzchecks::CheckScreenConfig);
}

TEST(FuzzRegressions, KeyScripts) {
    Replay("key_script", "fuzz_key_script", fuzzchecks::CheckKeyScript);
}

TEST(FuzzRegressions, Models3ds) {
    Replay("3ds", "fuzz_3ds", fuzzchecks::Check3ds);
}

TEST(FuzzRegressions, StartUp) {
    Replay("3ds", "fuzz_startup", fuzzchecks::CheckStartUp);
}

TEST(FuzzRegressions, BmpImages) {
    Replay("bmp", "fuzz_bmp", fuzzchecks::CheckBmp);
}

TEST(FuzzRegressions, GameStates) {
    Replay("state", "fuzz_state", fuzzchecks::CheckState);
}

TEST(FuzzRegressions, NetworkDatagrams) {
    Replay("net", "fuzz_net", fuzzchecks::CheckNetDatagram);
}
