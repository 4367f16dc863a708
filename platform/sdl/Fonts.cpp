#include "platform/sdl/Glyphs.hpp"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <string>

namespace platform {

namespace {

// fontconfig knows "Comic Sans MS" but not "Comic Sans", which it would answer with a plain sans;
// this rule sends it to Comic Neue (or whatever stands in for Comic Sans MS) where installed.
const char kComicSansAlias[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="same">
    <family>Comic Sans</family>
    <prefer><family>Comic Neue</family><family>Comic Sans MS</family></prefer>
  </alias>
</fontconfig>
)";

// Loaded once, on the first font asked for, and kept for the run.
FcConfig* fontConfig = nullptr;
FT_Library library = nullptr;

bool StartFonts() {
    if (fontConfig != nullptr && library != nullptr) {
        return true;
    }
    if (fontConfig == nullptr) {
        fontConfig = FcInitLoadConfigAndFonts();
        if (fontConfig == nullptr) {
            return false;
        }
        FcConfigParseAndLoadFromMemory(fontConfig, reinterpret_cast<const FcChar8*>(kComicSansAlias),
                                       FcFalse);
    }
    if (library == nullptr && FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        return false;
    }
    return true;
}

// The file and face index fontconfig picks for family; false when it offers none.
bool MatchFace(const char* family, bool bold, std::string& file, int& index, bool& isBold) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return false;
    }
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(fontConfig, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(fontConfig, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        return false;
    }
    FcChar8* path = nullptr;
    int weight = FC_WEIGHT_REGULAR;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr;
    if (found) {
        file = reinterpret_cast<const char*>(path);
        index = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        isBold = weight >= FC_WEIGHT_BOLD;
    }
    FcPatternDestroy(match);
    return found;
}

void CopyGlyph(const FT_GlyphSlot slot, GlyphBitmap& glyph) {
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.rowBytes = (glyph.width + 7) / 8;
    glyph.left = slot->bitmap_left;
    glyph.bottom = slot->bitmap_top - glyph.rows;
    glyph.advance = static_cast<float>(slot->advance.x) / 64.0f;
    glyph.bits.assign(static_cast<std::size_t>(glyph.rowBytes) * static_cast<std::size_t>(glyph.rows), 0);
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
        return;
    }
    // FreeType rows run top-down; the bitmap wanted runs bottom-up.
    for (int row = 0; row < glyph.rows; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
        if (bitmap.pitch < 0) {
            source = bitmap.buffer + static_cast<long>(glyph.rows - 1 - row) * -bitmap.pitch;
        }
        std::uint8_t* target =
            glyph.bits.data() + static_cast<std::size_t>(glyph.rows - 1 - row) * glyph.rowBytes;
        for (int byte = 0; byte < glyph.rowBytes; ++byte) {
            target[byte] = source[byte];
        }
    }
}

} // namespace

bool RasterizeGlyphs(const char* family, int height, bool bold, int first, int count,
                     std::vector<GlyphBitmap>& glyphs) {
    glyphs.clear();
    if (family == nullptr || count <= 0 || !StartFonts()) {
        return false;
    }
    std::string file;
    int index = 0;
    bool isBold = false;
    if (!MatchFace(family, bold, file, index, isBold)) {
        return false;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), index, &face) != 0) {
        return false;
    }
    // A positive height is the whole character cell (ascent plus descent); a negative one, the em.
    FT_Size_RequestRec request{};
    request.type = height >= 0 ? FT_SIZE_REQUEST_TYPE_REAL_DIM : FT_SIZE_REQUEST_TYPE_NOMINAL;
    request.height = static_cast<FT_Long>(height >= 0 ? height : -height) * 64;
    if (request.height == 0 || FT_Request_Size(face, &request) != 0) {
        FT_Done_Face(face);
        return false;
    }
    const bool embolden = bold && !isBold;
    glyphs.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        GlyphBitmap& glyph = glyphs[static_cast<std::size_t>(i)];
        glyph = GlyphBitmap{};
        if (FT_Load_Char(face, static_cast<FT_ULong>(first) + static_cast<FT_ULong>(i),
                         FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO) != 0) {
            continue;
        }
        if (embolden) {
            FT_GlyphSlot_Embolden(face->glyph);
        }
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0) {
            continue;
        }
        CopyGlyph(face->glyph, glyph);
    }
    FT_Done_Face(face);
    return true;
}

} // namespace platform
