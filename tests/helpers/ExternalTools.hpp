#pragma once

// Independent decoders used as test oracles (lib3ds's 3dsdump, ImageMagick's convert) and a
// scratch folder per test program. Header-only so any test file can include it.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// ImageMagick's decode of a BMP as packed RGB, rows turned round so the bottom row comes first
// (the order the game's reader gives); empty when ImageMagick refuses the file.
inline std::vector<std::uint8_t> ImageMagickRgbBottomUp(const std::string& path, int width, int height) {
    bool ok;
    std::vector<std::uint8_t> top = RunCommand("convert 'bmp:" + path + "' -depth 8 rgb:- 2>/dev/null", ok);
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

// A fresh folder under /tmp for this test program's files.
inline std::string ScratchFolder() {
    static std::string folder;
    if (folder.empty()) {
        char pattern[] = "/tmp/jostrela-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        folder = made != nullptr ? made : "/tmp";
    }
    return folder;
}

} // namespace testing_tools
