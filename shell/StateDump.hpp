#pragma once

#include "geometry/Camera.hpp"
#include "geometry/Vector3.hpp"
#include "octree/OctreeStats.hpp"
#include "scene/MovingBlock.hpp"

#include <string>

// The game state a replay leaves behind, gathered at exit for --dump-state. A null penguin or null
// blocks leave their fields out (the game always has them; tests may not).
struct GameState {
    long long frames; // frames run
    const Camera* camera;
    const Vector3* penguin;
    float jumpHeight;
    bool jumping;
    bool collided;
    const MovingBlock* firstDoor;
    const MovingBlock* secondDoor;
    const MovingBlock* doorSwitch;
    const OctreeStats* octree; // the last frame's octree counts; null leaves them out
    int leafCount;             // leaves of the level's octree, written with the counts
};

// The state as one JSON object and a newline; every float reads back to the same 32-bit value.
// Issues no GL calls.
std::string StateJson(const GameState& state);

// Appends StateJson's text to out. Numbers are short enough for the string's own buffer, so once
// out has room for a state (a few hundred bytes) nothing is allocated.
void AppendStateJson(std::string& out, const GameState& state);

// Writes StateJson to path; false when it cannot be written whole. Reports nothing.
bool WriteStateDump(const char* path, const GameState& state);
