#pragma once

#include "geometry/Camera.hpp"
#include "geometry/Vector3.hpp"
#include "octree/OctreeStats.hpp"
#include "play/Player.hpp"
#include "scene/MovingBlock.hpp"

#include <cstdint>
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
    // Every slot's player, written as a "players" array after the blocks (an absent slot as its
    // number and "present": false only); null leaves it out (a game of one player writes none, so
    // its files are what they always were).
    const Player* players = nullptr;
    std::uint64_t stateHash = 0; // HashState of the rules' state, written with the players
};

// The state of the rules: slot 0's camera, penguin and jump at the top, as a game of one player has
// them, the blocks, and with withPlayers every slot under "players" and the state's hash; no octree
// counts. Points into sim.
GameState RulesState(const SimState& sim, bool withPlayers);

// The state as one JSON object and a newline; every float reads back to the same 32-bit value.
// Issues no GL calls.
std::string StateJson(const GameState& state);

// Appends StateJson's text to out. Numbers are short enough for the string's own buffer, so once
// out has room for a state (a few hundred bytes) nothing is allocated.
void AppendStateJson(std::string& out, const GameState& state);

// Writes StateJson to path (opened as platform::OpenOutput does); false when it cannot be written
// whole, and a regular file cut short has then been removed. Reports nothing.
bool WriteStateDump(const char* path, const GameState& state);
