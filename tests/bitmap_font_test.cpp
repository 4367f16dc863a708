#include "platform/sdl/Glyphs.hpp"
#include "shell/BitmapFont.hpp"
#include "support/GLTestContext.hpp"

#include <GL/gl.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool SameGlyphs(const std::vector<platform::GlyphBitmap>& a, const std::vector<platform::GlyphBitmap>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].width != b[i].width || a[i].rows != b[i].rows || a[i].bits != b[i].bits ||
            a[i].advance != b[i].advance) {
            return false;
        }
    }
    return true;
}

std::vector<platform::GlyphBitmap> Glyphs(const char* family) {
    std::vector<platform::GlyphBitmap> glyphs;
    EXPECT_TRUE(platform::RasterizeGlyphs(family, 48, true, 32, 96, glyphs)) << family;
    return glyphs;
}

// Columns of the back buffer holding any pixel of the given colour.
int ColumnsWithColour(const GLTestContext& gl, std::uint32_t colour) {
    const std::vector<std::uint8_t> pixels = gl.ReadPixels();
    int columns = 0;
    for (int x = 0; x < gl.Width(); ++x) {
        for (int y = 0; y < gl.Height(); ++y) {
            const std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * gl.Width() + x) * 3];
            if (((static_cast<std::uint32_t>(p[0]) << 16) | (p[1] << 8) | p[2]) == colour) {
                ++columns;
                break;
            }
        }
    }
    return columns;
}

} // namespace

TEST(Glyphs, ComicSansResolvesToComicNeueAndArialToAnInstalledSans) {
    const auto comicSans = Glyphs("Comic Sans");
    const auto comicNeue = Glyphs("Comic Neue");
    const auto dejaVu = Glyphs("DejaVu Sans");
    ASSERT_EQ(comicSans.size(), 96u);
    EXPECT_TRUE(SameGlyphs(comicSans, comicNeue)) << "is fonts-comic-neue installed?";
    EXPECT_FALSE(SameGlyphs(comicSans, dejaVu));
    EXPECT_TRUE(SameGlyphs(Glyphs("Arial"), Glyphs("Liberation Sans"))) << "is fonts-liberation installed?";
}

TEST(Glyphs, HeightIsTheCharacterCellAndRowsAreWhole) {
    const auto glyphs = Glyphs("Arial");
    ASSERT_EQ(glyphs.size(), 96u);
    for (const std::uint8_t byte : glyphs[0].bits) {
        EXPECT_EQ(byte, 0) << "space draws nothing";
    }
    EXPECT_GT(glyphs[0].advance, 0.0f) << "space still advances";
    const platform::GlyphBitmap& capital = glyphs['H' - 32];
    // A capital fills most of the ascent of a 48-pixel cell, never more than the cell.
    EXPECT_GT(capital.rows, 24);
    EXPECT_LT(capital.rows, 48);
    EXPECT_EQ(capital.bottom, 0) << "H sits on the baseline";
    for (const auto& glyph : glyphs) {
        EXPECT_EQ(glyph.rowBytes, (glyph.width + 7) / 8);
        EXPECT_EQ(glyph.bits.size(), static_cast<std::size_t>(glyph.rowBytes * glyph.rows));
    }
    const platform::GlyphBitmap& descender = glyphs['g' - 32];
    EXPECT_LT(descender.bottom, 0) << "g reaches below the baseline";
}

using BitmapFontGL = GLTest;

TEST_F(BitmapFontGL, PrintsTheLoadingMessageAtTheRasterPosition) {
    unsigned base = 0;
    ASSERT_NE(BuildFont("Comic Sans", 48, GL().Surface(), &base), 0);
    ASSERT_NE(base, 0u);
    EXPECT_TRUE(glIsList(base));
    EXPECT_TRUE(glIsList(base + 95));
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(0.25f, 0.25f, 1.0f);
    glRasterPos2f(-1.0f, 0.0f);
    PrintText(base, "CARGANDO...");
    const int columns = ColumnsWithColour(GL(), 0x4040FF);
    EXPECT_GT(columns, 150) << "eleven 48-pixel glyphs span well over 150 columns";
    // The pen moved: the raster position advanced by the text's width.
    GLfloat position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    EXPECT_GT(position[0], 150.0f);
    if (const char* out = std::getenv("JOSTRELA_FONT_PNG")) {
        platform::WriteBackBufferPng(out, GL().Width(), GL().Height());
    }
}

TEST_F(BitmapFontGL, NothingIsDrawnForAnEmptyTextANullTextOrListBaseZero) {
    unsigned base = 0;
    ASSERT_NE(BuildFont("Arial", 24, GL().Surface(), &base), 0);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glRasterPos2f(-1.0f, 0.0f);
    PrintText(base, "");
    PrintText(base, nullptr);
    PrintText(0, "ABC");
    EXPECT_EQ(ColumnsWithColour(GL(), 0xFFFFFF), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BitmapFontGL, AFaceThatCannotBeHadLeavesItsListsReservedAndEmpty) {
    unsigned base = 0;
    EXPECT_EQ(BuildFont("Arial", 0, GL().Surface(), &base), 0);
    ASSERT_NE(base, 0u);
    // The 96 names are taken: the next font's lists come after them.
    unsigned next = 0;
    BuildFont("Arial", 18, GL().Surface(), &next);
    EXPECT_GE(next, base + 96);
    glClear(GL_COLOR_BUFFER_BIT);
    glRasterPos2f(-1.0f, 0.0f);
    PrintText(base, "ABC");
    EXPECT_EQ(ColumnsWithColour(GL(), 0xFFFFFF), 0);
}
