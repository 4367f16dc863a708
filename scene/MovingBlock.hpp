#pragma once

#include "geometry/Vector3.hpp"
#include "model/Texture.hpp"

#include <cstdint>

// How far a block travels and by how much per frame: a door (100 units, 0.8 a frame), a switch
// (3 units, 0.5) or a block that stays put. Other values travel nowhere.
enum class BlockKind : std::int32_t { Door = 0, Switch = 1, Still = 2 };

// The axis and sense of a block's motion. Other values never move the block.
enum class BlockDirection : std::int32_t {
    PlusX = 0,
    PlusY = 1,
    PlusZ = 2,
    MinusX = 3,
    MinusY = 4,
    MinusZ = 5
};

// A textured box that, once triggered, slides a fixed distance along one axis and then slides home
// by itself: the doors that lift and the switch that is pushed in. Each rules step moves it one step.
struct MovingBlock {
    Vector3 start{0.0f, 0.0f, 0.0f};   // home position of the box's minimum corner
    Vector3 current{0.0f, 0.0f, 0.0f}; // present position of the minimum corner
    Vector3 target{0.0f, 0.0f, 0.0f};  // far end of the motion
    bool moving = false;               // true while travelling out towards target
    std::int32_t texture = 0;          // slot in the block texture table
    BlockKind kind = BlockKind::Door;  // travel distance and step size
    BlockDirection direction = BlockDirection::PlusX;

    // Loads Texturas/fileName into textures[slot] (a table of kBlockTextureSlots GL names) and
    // remembers the slot; needs a current GL context. Returns what LoadTexture said of the file.
    TextureResult LoadBlockTexture(std::uint32_t* textures, const char* fileName, int slot);

    // Puts the block at rest at (x, y, z) and sets its target from kind and direction. A direction
    // outside the six leaves target as it was. Issues no GL calls.
    void PlaceBlock(float x, float y, float z, BlockKind kind, BlockDirection direction);

    // Starts a cycle: snaps current's height back to the start height and sets the block moving,
    // unless that height is exactly 0. Issues no GL calls.
    void Trigger();

    // One step of the motion with the block's kind's step along its direction's axis; nothing is
    // clamped, so the last step out may overshoot target by less than a step. Issues no GL calls.
    void Advance();

    // Draws the box at current with the size given, textured with the name at the block's slot of
    // textures (kBlockTextureSlots entries), as six GL_QUADS. Moves nothing; issues no matrix calls
    // (the caller brackets it) and no colour or normal.
    void Draw(const std::uint32_t* textures, float width, float height, float depth) const;
};

// Slots of the block texture table; the game uses 2, 3 and 4.
inline constexpr int kBlockTextureSlots = 8;
