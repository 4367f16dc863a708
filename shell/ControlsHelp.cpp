#include "shell/ControlsHelp.hpp"

#include "input/KeyCodes.hpp"
#include "shell/PlayerMarks.hpp"

namespace {

// The bitmap font holds codes 32 to 127 only, so the lines keep to unaccented words.
constexpr const char* kLines[] = {
    "Controles (F1 los oculta)",
    "Flechas izquierda y derecha: girar la vista",
    "W y S, flechas arriba y abajo: avanzar y retroceder",
    "A y D: paso a la izquierda y a la derecha",
    "Espacio: saltar",
    "F: abrir las puertas cercanas",
    "Escape: salir",
};

// Where the first line sits and how far apart lines are, in the overlay's units (the view one
// unit away): above the centre, clear of the penguin's head.
constexpr float kTop = 0.3f;
constexpr float kLineStep = 0.06f;

} // namespace

void ControlsHelp::Follow(const std::uint8_t keys[256]) {
    const bool down = (keys[key::kF1] & 0x80) != 0;
    if (down && !keyWasDown) {
        shown = !shown;
    }
    keyWasDown = down;
}

void DrawControlsHelp(const ControlsHelp& help, unsigned listBase) {
    if (!help.shown) {
        return;
    }
    float height = kTop;
    for (const char* line : kLines) {
        DrawOverlay(listBase, line, height);
        height -= kLineStep;
    }
}
