#include "helpers/MessageLog.hpp"
#include "helpers/RunFolder.hpp"
#include "model/Texture.hpp"
#include "support/GLTestContext.hpp"
#include "tools/writers/BmpWriter.hpp"
#include "tools/writers/ChunkWriter.hpp"

#include <GL/gl.h>

#include <cstdio>

using namespace testing_tools;

namespace {

using Textures = GLTest;

constexpr std::uint32_t kUntouched = 777;

// The texture's level 0 as packed RGB rows, bottom row first.
std::vector<std::uint8_t> LevelZero(std::uint32_t name, int width, int height) {
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(width) * height * 3);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

GLint TexParameter(GLenum which) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, which, &value);
    return value;
}

} // namespace

TEST_F(Textures, BmpBecomesAMipmappedTextureInItsSlot) {
    RunFolder run;
    writers::BmpImage image;
    image.width = 4;
    image.height = 2;
    for (int i = 0; i < 8; ++i) {
        image.pixels.insert(image.pixels.end(),
                            {static_cast<std::uint8_t>(i * 30), 7, static_cast<std::uint8_t>(255 - i)});
    }
    ASSERT_TRUE(writers::WriteBmpFile("Texturas/RedBrick.bmp", image));
    std::uint32_t names[3] = {kUntouched, kUntouched, kUntouched};
    LoadTexture(names, 3, "RedBrick.bmp", 1);
    EXPECT_EQ(names[0], kUntouched);
    EXPECT_EQ(names[2], kUntouched);
    ASSERT_TRUE(glIsTexture(names[1]));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<std::uint32_t>(bound), names[1]);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);
    EXPECT_EQ(TexParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(TexParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(TexParameter(GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(TexParameter(GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    // Texture row 0 is the picture's bottom row.
    EXPECT_EQ(LevelZero(names[1], 4, 2), image.pixels);
    GLint smallest = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &smallest);
    EXPECT_EQ(smallest, 1); // every mipmap level down to 1 x 1
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Textures, ExtensionFilterLetterCaseAndLongNames) {
    RunFolder run;
    RunFolder::WriteSolidTexture("RedBrick.bmp", 2, 2, 200, 0, 0);
    RunFolder::WriteSolidTexture("TEXTURE1.BMP", 2, 2, 0, 200, 0);
    RunFolder::WriteSolidTexture("a_texture_name_longer_than_twelve.bmp", 3, 3, 0, 0, 200);
    struct Case {
        const char* name;
        bool loads;
    };
    const Case cases[] = {
        {"RedBrick.bmp", true},  {"Redbrick.bmp", true}, // found by its name ignoring case
        {"REDBRICK.BMP", true},                          // likewise, with the extension in capitals
        {"TEXTURE1.BMP", true},                          // a 12-character name: the path is 21 characters
        {"texture1.bmp", true},                          // found by its name ignoring case
        {"RedBrick.Bmp", false},                         // a mixed-case extension is not a BMP name
        {"RedBrick.png", false}, {"RedBrick", false},    {"a_texture_name_longer_than_twelve.bmp", true},
    };
    for (const Case& c : cases) {
        MessageLog log;
        std::uint32_t names[1] = {kUntouched};
        LoadTexture(names, 1, c.name, 0);
        EXPECT_EQ(names[0] != kUntouched, c.loads) << c.name;
        EXPECT_TRUE(log.Messages().empty()) << c.name;
    }
}

TEST_F(Textures, UndecodableFilesAndSlotsOutsideTheArrayMakeNoTexture) {
    RunFolder run;
    RunFolder::WriteSolidTexture("good.bmp", 2, 2, 1, 2, 3);
    std::vector<std::uint8_t> bytes(60, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    bytes[14] = 124;
    ASSERT_TRUE(writers::WriteFileBytes("Texturas/v5.bmp", bytes));
    {
        MessageLog log;
        std::uint32_t names[1] = {kUntouched};
        LoadTexture(names, 1, "v5.bmp", 0);
        EXPECT_EQ(names[0], kUntouched);
        ASSERT_EQ(log.Messages().size(), 1u);
        EXPECT_EQ(log.Messages()[0].caption, "Error");
        EXPECT_EQ(log.Messages()[0].text, "Unknown DIB file format.");
    }
    std::uint32_t guarded[4] = {kUntouched, kUntouched, kUntouched, kUntouched};
    for (const int slot : {-1, 2, 3}) {
        LoadTexture(guarded + 1, 2, "good.bmp", slot); // the array is guarded[1] and guarded[2]
    }
    for (const std::uint32_t name : guarded) {
        EXPECT_EQ(name, kUntouched);
    }
}

// A missing file is the caller's to report: the result names the path tried, and nothing is shown.
TEST(TextureFiles, MissingFileIsReportedToTheCaller) {
    RunFolder run;
    testing_tools::MessageLog log;
    std::uint32_t names[1] = {0};
    const TextureResult result = LoadTexture(names, 1, "Missing.bmp", 0);
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(result.path, "Texturas/Missing.bmp");
    EXPECT_EQ(names[0], 0u);
    EXPECT_TRUE(log.Messages().empty());
}
