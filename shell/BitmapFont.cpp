#include "shell/BitmapFont.hpp"

#include <GL/gl.h>

#include <cstring>
#include <vector>

namespace {

const int kFirstCode = 32;
const int kGlyphCount = 96;

} // namespace

int BuildFont(const char* face, int height, platform::DeviceContext* deviceContext, unsigned* listBase) {
    const GLuint base = glGenLists(kGlyphCount);
    *listBase = base;
    if (deviceContext == nullptr || base == 0) {
        return 0;
    }
    std::vector<platform::GlyphBitmap> glyphs;
    if (!platform::RasterizeGlyphs(face, height, true, kFirstCode, kGlyphCount, glyphs)) {
        return 0;
    }
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < kGlyphCount; ++i) {
        const platform::GlyphBitmap& glyph = glyphs[static_cast<std::size_t>(i)];
        glNewList(base + static_cast<GLuint>(i), GL_COMPILE);
        // The bitmap's lower left corner goes to the pen plus the glyph's bearings.
        glBitmap(glyph.width, glyph.rows, static_cast<GLfloat>(-glyph.left),
                 static_cast<GLfloat>(-glyph.bottom), glyph.advance, 0.0f,
                 glyph.bits.empty() ? nullptr : glyph.bits.data());
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return 1;
}

void PrintText(unsigned listBase, const char* text) {
    if (listBase == 0 || text == nullptr) {
        return;
    }
    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase - kFirstCode);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}
