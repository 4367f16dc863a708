#pragma once

#include "input/KeyMask.hpp"
#include "play/Player.hpp"

struct Model;
struct Octree;
struct OctreeStats;

// What the rules read of the level: its octree and the model the octree was built from, and the
// radius of every penguin's sphere. Shared by all players; never changed.
struct RulesLevel {
    const Octree* octree;
    const Model* model;
    float penguinRadius;
};

// One frame of the rules for every present player, with no GL call anywhere below it: in slot
// order, each player's frame step from keys[slot] (turn, walk, side-step, jump start, F near its own
// penguin); then, unless Escape was held, each player's strafe refresh, jump height, contact test at
// the penguin's last position (the level, the solid blocks and the other penguins) and placing of
// the penguin at its view point, and last one step of the switch and then of the second door.
// While a penguin touches something, a movement key that points away from all it touches makes its
// own step and one that points into it rebounds. No move and no jump step leaves a penguin's sphere
// deeper in a face or a solid block than the last step left it, by more than kSinkTolerance: a move
// stops short, a rise ends the jump, a fall waits. A block whose step would close on a penguin's
// sphere waits where it is that frame.
// Returns true when a present player held Escape: the frame then ends after the frame steps, as the
// game does when it ends there, and frame is not counted. Adds the contact tests' work to counts.
// Deterministic: the same state, level and keys give the same bits on every build.
bool StepRules(SimState& state, const RulesLevel& level, const KeyMask keys[kMaxPlayers],
               OctreeStats& counts);

// The camera pose and penguin placement a joining player takes: the first of the start spots (its
// slot's own first, then every other) where its penguin touches neither the level nor a present
// penguin. Slot 0's own spot is the game's start: eye (0, 10, 40), view point (0, 0, -3), the
// penguin at the origin until the first step places it; the other slots' stand beside it, 40 units
// apart across the nave, facing the same way. False, with the slot left absent, when the slot is
// outside 0..3, already present, or no spot is free.
bool AddPlayer(SimState& state, const RulesLevel& level, int slot);

// Takes the player out of the game; its penguin is no longer drawn nor solid. False for a slot
// outside 0..3 or one that is absent.
bool RemovePlayer(SimState& state, int slot);

// Places the blocks as the game's start-up does: both doors lift 100 units, the switch goes 3 in.
// Leaves their texture slots alone.
void PlaceBlocks(SimState& state);

// A state with no player and the blocks placed: what AddPlayer starts from.
SimState EmptyState();
