#include "shell/BitmapFont.hpp"

#include <GL/gl.h>

#include <cstring>

namespace {

constexpr int kFirstCode = 32;
constexpr int kGlyphCount = 96;

} // namespace

int BuildFont(const char* face, int height, platform::Window* window, unsigned* listBase) {
    const GLuint base = glGenLists(kGlyphCount);
    *listBase = base;
    if (window == nullptr || base == 0) {
        return 0;
    }
    return platform::BuildGlyphLists(window, face, height, kFirstCode, kGlyphCount, base) ? 1 : 0;
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
