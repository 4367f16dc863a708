#include "shell/PlayerMarks.hpp"

#include "shell/BitmapFont.hpp"

#include <GL/gl.h>

#include <cstring>

namespace {

constexpr std::uint8_t kTints[4][3] = {{255, 255, 255}, {255, 80, 80}, {90, 230, 90}, {90, 150, 255}};
constexpr const char* kNames[4] = {"Jugador 1", "Jugador 2", "Jugador 3", "Jugador 4"};

// About half a glyph of the name font, in pixels: enough to centre a short name by eye.
constexpr float kHalfGlyphWidth = 5.0f;

} // namespace

const std::uint8_t* SlotTint(int slot) {
    return slot <= 0 || slot > 3 ? nullptr : kTints[slot];
}

const char* SlotName(int slot) {
    return kNames[slot < 0 || slot > 3 ? 0 : slot];
}

void DrawNameAbove(unsigned listBase, const char* text, float x, float y, float z,
                   const std::uint8_t* colour) {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3ub(colour[0], colour[1], colour[2]);
    glRasterPos3f(x, y, z);
    // Moves the raster position left by half the text, without drawing.
    const float shift = -kHalfGlyphWidth * static_cast<float>(std::strlen(text));
    glBitmap(0, 0, 0.0f, 0.0f, shift, 0.0f, nullptr);
    PrintText(listBase, text);
    glEnable(GL_LIGHTING);
}

void DrawOverlay(unsigned listBase, const std::string& text, float height) {
    if (text.empty()) {
        return;
    }
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -1.0f);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3ub(255, 255, 255);
    glRasterPos2f(0.0f, height);
    // Centred as the names are: moved left by half the text, without drawing.
    glBitmap(0, 0, 0.0f, 0.0f, -kHalfGlyphWidth * static_cast<float>(text.size()), 0.0f, nullptr);
    PrintText(listBase, text.c_str());
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}
