#include "platform/win32/PlatformState.hpp"

#include <cctype>
#include <cstring>

namespace platform {

namespace {

bool IsSymbolFace(const char* face) {
    const char symbol[] = "symbol";
    for (std::size_t i = 0; i < sizeof symbol; ++i) {
        if (std::tolower(static_cast<unsigned char>(face[i])) != symbol[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

bool BuildGlyphLists(Window* window, const char* face, int height, int first, int count, unsigned listBase) {
    if (window == nullptr || face == nullptr || listBase == 0) {
        return false;
    }
    const DWORD charset = IsSymbolFace(face) ? SYMBOL_CHARSET : ANSI_CHARSET;
    HFONT font = CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, charset, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, 0, face);
    if (font == nullptr) {
        return false;
    }
    // The font stays selected and is never deleted: its lists live as long as the GL context.
    SelectObject(window->deviceContext, font);
    return wglUseFontBitmapsA(window->deviceContext, static_cast<DWORD>(first), static_cast<DWORD>(count),
                              listBase) != 0;
}

} // namespace platform
