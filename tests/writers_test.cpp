#include "helpers/ExternalTools.hpp"
#include "tools/writers/BmpWriter.hpp"
#include "tools/writers/Writer3ds.hpp"

#include <gtest/gtest.h>

using namespace testing_tools;

namespace {

writers::SceneDescription SmallScene() {
    writers::SceneDescription scene;
    scene.materials.push_back({"Red", {200, 10, 20}, ""});
    scene.materials.push_back({"Brick", {1, 2, 3}, "BRICK.BMP"});
    writers::ObjectDescription box;
    box.name = "Box";
    box.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1.5f}};
    box.texCoords = {{0, 0}, {1, 0}, {0, 1}, {0.5f, 0.25f}};
    box.faces = {{0, 1, 2}, {0, 2, 3}};
    box.materialGroups = {"Brick"};
    scene.objects.push_back(box);
    return scene;
}

std::string AsText(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

TEST(Writer3ds, IsDeterministicAndRefusesCountsPastSixteenBits) {
    std::vector<std::uint8_t> first, second;
    ASSERT_TRUE(writers::Build3ds(SmallScene(), first));
    ASSERT_TRUE(writers::Build3ds(SmallScene(), second));
    EXPECT_EQ(first, second);
    // The main chunk's length covers the whole file.
    ASSERT_GE(first.size(), 6u);
    EXPECT_EQ(first[0] | first[1] << 8, 0x4D4D);
    EXPECT_EQ(static_cast<std::size_t>(first[2] | first[3] << 8 | first[4] << 16 | first[5] << 24),
              first.size());

    writers::SceneDescription big;
    big.objects.push_back({});
    big.objects[0].vertices.resize(65536, Vector3(0, 0, 0));
    EXPECT_FALSE(writers::Build3ds(big, first));
    EXPECT_TRUE(first.empty());
}

TEST(Writer3ds, Lib3dsReadsWhatItWrites) {
    if (!HaveProgram("3dsdump")) {
        GTEST_SKIP() << "3dsdump (lib3ds) not installed";
    }
    const std::string path = ScratchFolder() + "/small.3ds";
    ASSERT_TRUE(writers::Write3dsFile(path.c_str(), SmallScene()));
    bool ok;
    const std::string dump = AsText(RunCommand("3dsdump -m -t '" + path + "'", ok));
    ASSERT_TRUE(ok);
    EXPECT_NE(dump.find("diffuse:       (0.784314, 0.039216, 0.078431)"), std::string::npos) << dump;
    EXPECT_NE(dump.find("name:        BRICK.BMP"), std::string::npos);
    EXPECT_NE(dump.find("Box vertices=4 faces=2"), std::string::npos);
    EXPECT_NE(dump.find("0.000000 0.000000 1.500000"), std::string::npos);
    EXPECT_NE(dump.find("0    2    3  smoothing:0  flags:7  material:\"Brick\""), std::string::npos);
}

TEST(BmpWriter, ImageMagickDecodesEveryDepthAndLayout) {
    if (!HaveProgram("convert")) {
        GTEST_SKIP() << "ImageMagick not installed";
    }
    const std::vector<std::uint8_t> palette = {0, 0, 0, 255, 255, 255, 200, 30, 40, 5, 6, 7};
    for (const int bits : {1, 4, 8, 24, 32}) {
        for (int width = 1; width <= 7; ++width) {
            for (const bool core : {false, true}) {
                if (core && bits == 32) {
                    continue;
                }
                writers::BmpImage image;
                image.width = width;
                image.height = 3;
                image.bitsPerPixel = bits;
                std::vector<std::uint8_t> expected;
                for (int i = 0; i < width * 3; ++i) {
                    if (bits <= 8) {
                        const int index = (i * 7 + width) % (bits == 1 ? 2 : 4);
                        image.pixels.push_back(static_cast<std::uint8_t>(index));
                        expected.insert(expected.end(), &palette[index * 3], &palette[index * 3 + 3]);
                    } else {
                        for (int c = 0; c < 3; ++c) {
                            image.pixels.push_back(static_cast<std::uint8_t>(i * 37 + c * 91 + width));
                        }
                        expected.insert(expected.end(), image.pixels.end() - 3, image.pixels.end());
                    }
                }
                if (bits <= 8) {
                    image.palette.assign(palette.begin(), palette.begin() + (bits == 1 ? 6 : 12));
                }
                writers::BmpOptions options;
                options.coreHeader = core;
                const std::string path = ScratchFolder() + "/w.bmp";
                ASSERT_TRUE(writers::WriteBmpFile(path.c_str(), image, options));
                EXPECT_EQ(ImageMagickRgbBottomUp(path, width, 3), expected)
                    << bits << " bits, width " << width << (core ? ", core header" : "");
            }
        }
    }
}

TEST(BmpWriter, RefusesInconsistentImages) {
    std::vector<std::uint8_t> out;
    writers::BmpImage image;
    image.width = 2;
    image.height = 2;
    image.pixels.assign(11, 0);
    EXPECT_FALSE(writers::BuildBmp(image, out));
    image.pixels.assign(12, 0);
    EXPECT_TRUE(writers::BuildBmp(image, out));
    EXPECT_EQ(out.size(), 14u + 40u + 2 * 8u);
    image.bitsPerPixel = 4;
    image.pixels.assign(4, 0);
    image.palette.assign(17 * 3, 0);
    EXPECT_FALSE(writers::BuildBmp(image, out));
    image.bitsPerPixel = 16;
    EXPECT_FALSE(writers::BuildBmp(image, out));
}
