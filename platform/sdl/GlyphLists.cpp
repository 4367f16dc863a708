#include "platform/Platform.hpp"
#include "platform/sdl/Glyphs.hpp"

#include <GL/gl.h>

namespace platform {

bool BuildGlyphLists(Window* window, const char* face, int height, int first, int count, unsigned listBase) {
    std::vector<GlyphBitmap> glyphs;
    if (window == nullptr || listBase == 0 || !RasterizeGlyphs(face, height, true, first, count, glyphs)) {
        return false;
    }
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < count; ++i) {
        const GlyphBitmap& glyph = glyphs[static_cast<std::size_t>(i)];
        glNewList(listBase + static_cast<GLuint>(i), GL_COMPILE);
        // The bitmap's lower left corner goes to the pen plus the glyph's bearings.
        glBitmap(glyph.width, glyph.rows, static_cast<GLfloat>(-glyph.left),
                 static_cast<GLfloat>(-glyph.bottom), glyph.advance, 0.0f,
                 glyph.bits.empty() ? nullptr : glyph.bits.data());
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return true;
}

} // namespace platform
