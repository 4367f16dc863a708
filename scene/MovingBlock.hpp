#pragma once

#include "geometry/Vector3.hpp"
#include "model/Texture.hpp"

#include <cstdint>

// A textured box that, once triggered, slides a fixed distance along one axis and then slides home
// by itself: the doors that lift and the switch that is pushed in. Each drawn frame moves it one step.
struct MovingBlock {
    Vector3 start{0.0f, 0.0f, 0.0f};   // home position of the box's minimum corner
    Vector3 current{0.0f, 0.0f, 0.0f}; // present position of the minimum corner
    Vector3 target{0.0f, 0.0f, 0.0f};  // far end of the motion
    bool moving = false;               // true while travelling out towards target
    std::int32_t texture = 0;          // slot in the block texture table
    std::int32_t kind = 0;             // 0, 1 or 2: travel distance and step size
    std::int32_t direction = 0;        // 0..5: +x, +y, +z, -x, -y, -z

    // Loads Texturas/fileName into textures[slot] (a table of kBlockTextureSlots GL names) and
    // remembers the slot; needs a current GL context. Returns what LoadTexture said of the file.
    TextureResult LoadBlockTexture(std::uint32_t* textures, const char* fileName, int slot);

    // Puts the block at rest at (x, y, z) and sets its target from kind and direction. A direction
    // outside 0..5 leaves target as it was. Issues no GL calls.
    void PlaceBlock(float x, float y, float z, int kind, int direction);

    // Starts a cycle: snaps current's height back to the start height and sets the block moving,
    // unless that height is exactly 0. Issues no GL calls.
    void Trigger();

    // One step of the motion with the block's kind's step along its direction's axis; nothing is
    // clamped, so the last step out may overshoot target by less than a step. Issues no GL calls.
    void Advance();

    // Advance, then draws the box at current with the size given, textured with the name at the
    // block's slot of textures (kBlockTextureSlots entries), as six GL_QUADS. Issues no matrix calls
    // (the caller brackets it) and no colour or normal.
    void DrawAndAdvance(const std::uint32_t* textures, float width, float height, float depth);
};

// Slots of the block texture table; the game uses 2, 3 and 4.
constexpr int kBlockTextureSlots = 8;
