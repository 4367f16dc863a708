#pragma once

#include "diag/StateDump.hpp"

struct World;

// The state of world now, as --dump-state and --trace write it: slot 0's camera, penguin and jump
// at the top, as a game of one player always had them, and every slot's under "players" when the
// game has more than one. Points into world.
GameState CurrentState(const World& world);
