#pragma once

#include <cstdint>
#include <string>

// How the players' penguins are told apart: a colour and a name per slot.

// The tint of slot's penguin (red, green, blue; 255 leaves a channel as the model has it), or null
// for slot 0, whose penguin keeps the model's own colours.
const std::uint8_t* SlotTint(int slot);

// The name shown above slot's penguin.
const char* SlotName(int slot);

// Draws text with the bitmap font at listBase, centred above the point (x, y, z) of the current
// modelview, in the colour (r, g, b), unlit. Depth-tested like the scene: a wall in front hides it,
// as it hides the penguin under it, so a name never gives away a player out of sight. Nothing is
// drawn when the point is outside the view. Leaves lighting on and texturing off.
void DrawNameAbove(unsigned listBase, const char* text, float x, float y, float z,
                   const std::uint8_t* colour);

// Draws text with the bitmap font at listBase over the whole picture, in white, centred by eye,
// height up from the centre (in the units of the view one unit away).
// Nothing for an empty text. Leaves depth testing and lighting on, texturing off.
void DrawOverlay(unsigned listBase, const std::string& text, float height);
