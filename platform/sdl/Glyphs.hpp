#pragma once

// 1-bit glyph bitmaps from the installed fonts (fontconfig and FreeType), the stuff the SDL side's
// glyph display lists are made of.

#include <cstdint>
#include <vector>

namespace platform {

struct GlyphBitmap {
    int width;     // pixels
    int rows;      // pixels
    int rowBytes;  // ceil(width / 8)
    int left;      // pen to the bitmap's left edge, pixels
    int bottom;    // pen (baseline) to the bitmap's bottom row, pixels (negative below the baseline)
    float advance; // pen advance, pixels
    std::vector<std::uint8_t> bits; // 1 bit a pixel, most significant first, bottom row first
};

// Renders characters first .. first+count-1 of the closest installed match of family (bold when
// asked), with height as the character cell (ascent plus descent) in pixels, 1 bit a pixel.
// "Comic Sans" resolves to Comic Neue where that is installed. False when no face can be opened.
bool RasterizeGlyphs(const char* family, int height, bool bold, int first, int count,
                     std::vector<GlyphBitmap>& glyphs);

} // namespace platform
