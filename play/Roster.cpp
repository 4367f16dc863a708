#include "play/Roster.hpp"

void JoinAndLeave(SimState& state, const RulesLevel& level, const Roster& roster) {
    const long long frame = state.frame;
    for (int slot = 0; slot < roster.players; ++slot) {
        if (roster.leaveFrame[slot] == frame) {
            RemovePlayer(state, slot);
        }
    }
    for (int slot = 0; slot < roster.players; ++slot) {
        if (roster.joinFrame[slot] == frame) {
            AddPlayer(state, level, slot);
        }
    }
}
