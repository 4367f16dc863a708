#include "tools/content/RunFolder.hpp"
#include "tools/content/Textures.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsPowerOfTwo(int v) {
    return v > 0 && (v & (v - 1)) == 0;
}

} // namespace

TEST(ContentRunFolder, WritesTheSameBytesEveryTime) {
    const std::filesystem::path base =
        std::filesystem::temp_directory_path() / ("jostrela_content_" + std::to_string(::getpid()));
    ASSERT_TRUE(WriteRunFolder((base / "a").string()));
    ASSERT_TRUE(WriteRunFolder((base / "b").string()));
    EXPECT_EQ(ReadAll(base / "a" / "scr.txt"), "Ancho=800\nAlto=600\nBits=32\nFullscreen=0\n");
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base / "a")) {
        if (!entry.is_regular_file()) {
            continue;
        }
        ++files;
        const auto relative = std::filesystem::relative(entry.path(), base / "a");
        EXPECT_EQ(ReadAll(entry.path()), ReadAll(base / "b" / relative)) << relative;
        EXPECT_GT(entry.file_size(), 0u) << relative;
    }
    EXPECT_EQ(files, 3 + static_cast<int>(BuildTextures().size()));
    for (const char* name : {"MODELOS/church.3DS", "MODELOS/pinguino.3DS", "Texturas/RedBrick.bmp",
                             "Texturas/Redbrick.bmp", "Texturas/LEET_SKI.bmp"}) {
        EXPECT_TRUE(std::filesystem::exists(base / "a" / name)) << name;
    }
    std::filesystem::remove_all(base);
}

TEST(ContentRunFolder, TexturesCoverBothDecoderPathsAndOddSizes) {
    int palettised = 0, trueColour = 0, oddSized = 0;
    for (const TextureFile& t : BuildTextures()) {
        palettised += t.image.bitsPerPixel == 8 ? 1 : 0;
        trueColour += t.image.bitsPerPixel == 24 ? 1 : 0;
        oddSized += IsPowerOfTwo(t.image.width) && IsPowerOfTwo(t.image.height) ? 0 : 1;
        EXPECT_LE(t.name.size(), 12u) << t.name; // the game's path buffer holds 8.3 names
    }
    EXPECT_GE(palettised, 1);
    EXPECT_GE(trueColour, 1);
    EXPECT_GE(oddSized, 1);
}
