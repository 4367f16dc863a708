#pragma once

#include "geometry/Camera.hpp"
#include "geometry/Vector3.hpp"
#include "input/KeyMask.hpp"
#include "scene/MovingBlock.hpp"

#include <cstdint>

// The players' slots: 1 to 4 players share one church.
constexpr int kMaxPlayers = 4;

// One player: its camera, its jump, its contact with the level and the other penguins, where its
// penguin stands, and the keys it reads this frame.
struct Player {
    bool present = false; // in the game; an absent slot's record is kept but never stepped
    Camera camera;        // its view: the penguin stands at the view point
    bool jumping = false; // set when a jump starts, cleared at the top
    float jumpHeight = 0.0f;
    bool collided = false;             // the last step found the penguin touching something solid
    Vector3 penguin{0.0f, 0.0f, 0.0f}; // where the last step placed the penguin: the sphere's centre
    KeyMask keys = 0;                  // held in the frame being stepped
};

// What the rules change from frame to frame: the players of the four slots, the shared blocks, and
// the number of steps made. The level is shared and never changes (RulesLevel).
struct SimState {
    std::uint32_t frame = 0; // rule steps completed
    Player players[kMaxPlayers];
    MovingBlock firstDoor;  // triggered by F; never moves
    MovingBlock secondDoor; // triggered through the switch; one step a frame
    MovingBlock doorSwitch; // triggered by F; one step a frame
};
