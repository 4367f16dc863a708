#pragma once

// Independent decoders used as test oracles (lib3ds's 3dsdump, ImageMagick's convert) and a
// scratch folder per test program. Header-only so any test file can include it.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace testing_tools {

// Standard output of a shell command; ok is false when it could not run or exited non-zero.
inline std::vector<std::uint8_t> RunCommand(const std::string& command, bool& ok) {
    std::vector<std::uint8_t> out;
    ok = false;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    std::uint8_t buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.insert(out.end(), buffer, buffer + got);
    }
    ok = pclose(pipe) == 0;
    return out;
}

inline bool HaveProgram(const char* name) {
    bool ok;
    RunCommand(std::string("command -v ") + name + " >/dev/null 2>&1", ok);
    return ok;
}

// ImageMagick's decode of a BMP ("dib" for a bare bitmap) as packed RGB, rows turned round so the
// bottom row comes first (the order the game's reader gives); empty when ImageMagick refuses it.
inline std::vector<std::uint8_t> ImageMagickRgbBottomUp(const std::string& path, int width, int height,
                                                        const std::string& format = "bmp") {
    bool ok;
    std::vector<std::uint8_t> top =
        RunCommand("convert '" + format + ":" + path + "' -depth 8 rgb:- 2>/dev/null", ok);
    const std::size_t row = static_cast<std::size_t>(width) * 3;
    if (!ok || top.size() != row * height) {
        return {};
    }
    std::vector<std::uint8_t> bottom(top.size());
    for (int r = 0; r < height; ++r) {
        std::copy(top.begin() + row * r, top.begin() + row * (r + 1),
                  bottom.begin() + row * (height - 1 - r));
    }
    return bottom;
}

inline std::string& ScratchFolderName() {
    static std::string folder;
    return folder;
}

// A fresh folder for this test program's files, in memory-backed /dev/shm when there is one (file
// writes under /tmp are slow on the build machines); removed when the tests end.
inline std::string ScratchFolder() {
    std::string& folder = ScratchFolderName();
    if (folder.empty()) {
        for (const char* base : {"/dev/shm", "/tmp"}) {
            std::string pattern = std::string(base) + "/jostrela-test-XXXXXX";
            if (mkdtemp(pattern.data()) != nullptr) {
                folder = pattern;
                break;
            }
        }
    }
    return folder;
}

class ScratchCleanup : public ::testing::Environment {
  public:
    void TearDown() override {
        if (!ScratchFolderName().empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(ScratchFolderName(), ignored);
        }
    }
};

inline ::testing::Environment* const scratchCleanup = ::testing::AddGlobalTestEnvironment(new ScratchCleanup);

} // namespace testing_tools
