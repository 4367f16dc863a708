#pragma once

#include "play/Player.hpp"
#include "play/RulesStep.hpp"

// Who plays a replayed game and when each slot's player joins and leaves it: the record of a
// networked game, replayed offline.
struct Roster {
    int players = 1; // slots 0 to players - 1 play
    // Before the rules step these frames (counted from 0) the slot's player joins, or leaves. Every
    // slot joins at 0 unless told; -1 never leaves.
    long long joinFrame[kMaxPlayers] = {0, 0, 0, 0};
    long long leaveFrame[kMaxPlayers] = {-1, -1, -1, -1};
};

// Before the step of state.frame: the players whose leave frame it is leave, then those whose join
// frame it is join (AddPlayer), each in slot order.
void JoinAndLeave(SimState& state, const RulesLevel& level, const Roster& roster);
