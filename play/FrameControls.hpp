#pragma once

#include "geometry/Camera.hpp"
#include "geometry/Vector3.hpp"
#include "input/KeyMask.hpp"
#include "scene/MovingBlock.hpp"

// Movement settings, per frame; nothing changes them.
extern const float turnSpeed;    // orbit angle, radians
extern const float moveSpeed;    // Advance factor when not colliding
extern const float reboundSpeed; // Advance base factor when colliding
extern const float strafeSpeed;  // Sidestep distance when not colliding
// Multiplies reboundSpeed and strafeSpeed while the penguin touches the level, so every movement key
// pushes the other way, harder.
constexpr float kReboundFactor = 2.5f;

// What one player's movement and jump keys read and change. The rules fill it from the player;
// tests fill it with their own.
struct FrameControls {
    KeyMask keys; // held this frame
    Camera& camera;
    bool collided; // the last rules step found the penguin touching the level
    float jumpHeight;
    bool& jumping;
    // True when the view point, and with it the penguin, may move from `from` to `to`: the path
    // carries the penguin through no face of the level and into no solid block, and sinks it into
    // none. A walk or side-step it refuses is cut short to the longest part of it that it allows
    // (found by halving, kMoveSearchSteps times). Null lets every move be made.
    bool (*pathClear)(void* context, Vector3 from, Vector3 to);
    // True when move, a key's own step of the view point, points into something the penguin touched
    // where the last rules step placed it. Asked only while collided holds; null answers yes.
    bool (*headsInto)(void* context, Vector3 move);
    void* context; // handed to pathClear and headsInto
};

// How many halvings find the longest part of a refused move: a 21.5-unit rebound to within 0.0004.
constexpr int kMoveSearchSteps = 16;

// The frame step up to the block triggers, from the keys held now: orbit, walk, side-step, jump
// start, Escape, jump top, tested in that order with no edge detection. While collided holds, a
// walk or side-step key whose own step points into what the penguin touches moves the other way,
// harder (the rebound); one that points away makes its own step. Each walk and side-step goes as
// far as pathClear lets the view point go. Returns true when Escape is held (the step has made its
// other keys' moves all the same). Issues no GL calls.
bool RunFrameControls(const FrameControls& controls);

// The frame step's last test: with F held, TriggerNearbyBlocks for a penguin at depth penguinZ.
void RunBlockTriggers(KeyMask keys, float penguinZ, MovingBlock& firstDoor, MovingBlock& secondDoor,
                      MovingBlock& doorSwitch);

// The F key's triggers for a penguin at depth z (only z counts, both ends of each range included):
// firstDoor when its start is within 100 and it rests at its start height; doorSwitch when its start
// is within 80 and secondDoor rests at its start height, and then secondDoor if the switch moves.
void TriggerNearbyBlocks(float z, MovingBlock& firstDoor, MovingBlock& secondDoor, MovingBlock& doorSwitch);
