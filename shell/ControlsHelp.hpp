#pragma once

#include <cstdint>

// The controls shown over the picture: F1 shows them, F1 again hides them. Kept in the shell, away
// from the rules, so it never touches the simulation or what the network carries.
struct ControlsHelp {
    bool shown = false;
    bool keyWasDown = false; // F1 in the previous snapshot

    // Follows one keyboard snapshot (256 key codes, bit 7 = down): each press of F1, not each frame
    // it is held, flips shown. Issues no GL calls.
    void Follow(const std::uint8_t keys[256]);
};

// Draws the controls in Spanish with the bitmap font at listBase over the whole picture when help
// is shown; nothing otherwise. Leaves depth testing and lighting on, texturing off.
void DrawControlsHelp(const ControlsHelp& help, unsigned listBase);
