#pragma once

#include "play/Player.hpp"
#include "play/RulesStep.hpp"

#include <vector>

// Who plays a replayed game and when each slot's player joins and leaves it: the record of a
// networked game, replayed offline.
struct Roster {
    int players = 1; // slots 0 to players - 1 play
    // Before the rules step of these frames (counted from 0) a player joins the slot, or leaves it.
    // A slot joins at 0 when no join frame comes before its first leave frame; it stays to the end
    // after its last join without a leave. A networked game gives a slot a leaver freed to the next
    // newcomer, so one slot may be joined and left several times: its frames alternate, each later
    // than the one before.
    std::vector<long long> joinFrames[kMaxPlayers];
    std::vector<long long> leaveFrames[kMaxPlayers];
};

// Before the step of state.frame: the players whose leave frame it is leave, then those whose join
// frame it is join (AddPlayer), each in slot order.
void JoinAndLeave(SimState& state, const RulesLevel& level, const Roster& roster);

// True when the slot's join and leave frames alternate as Roster says, whatever their order in the
// lists.
bool StaysAlternate(const Roster& roster, int slot);
