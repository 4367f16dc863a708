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
    // carries the penguin through no face of the level and into no solid block. A walk or side-step
    // it refuses is not made. Null lets every move be made.
    bool (*pathClear)(void* context, Vector3 from, Vector3 to);
    void* context; // handed to pathClear
};

// The frame step up to the block triggers, from the keys held now: orbit, walk, side-step, jump
// start, Escape, jump top, tested in that order with no edge detection. Each walk and side-step is
// made only when pathClear lets the view point take it. Returns true when Escape is held (the step
// has made its other keys' moves all the same). Issues no GL calls.
bool RunFrameControls(const FrameControls& controls);

// The frame step's last test: with F held, TriggerNearbyBlocks for a penguin at depth penguinZ.
void RunBlockTriggers(KeyMask keys, float penguinZ, MovingBlock& firstDoor, MovingBlock& secondDoor,
                      MovingBlock& doorSwitch);

// The F key's triggers for a penguin at depth z (only z counts, both ends of each range included):
// firstDoor when its start is within 100 and it rests at its start height; doorSwitch when its start
// is within 80 and secondDoor rests at its start height, and then secondDoor if the switch moves.
void TriggerNearbyBlocks(float z, MovingBlock& firstDoor, MovingBlock& secondDoor, MovingBlock& doorSwitch);
