#include "play/Roster.hpp"

#include <algorithm>

namespace {

bool Listed(const std::vector<long long>& frames, long long frame) {
    return std::find(frames.begin(), frames.end(), frame) != frames.end();
}

// True when the slot's player is there from frame 0: no join frame is given, or a leave comes
// before the first join.
bool JoinsAtStart(const Roster& roster, int slot) {
    const std::vector<long long>& joins = roster.joinFrames[slot];
    const std::vector<long long>& leaves = roster.leaveFrames[slot];
    return joins.empty() || (!leaves.empty() && *std::min_element(leaves.begin(), leaves.end()) <
                                                    *std::min_element(joins.begin(), joins.end()));
}

} // namespace

void JoinAndLeave(SimState& state, const RulesLevel& level, const Roster& roster) {
    const long long frame = state.frame;
    for (int slot = 0; slot < roster.players; ++slot) {
        if (Listed(roster.leaveFrames[slot], frame)) {
            RemovePlayer(state, slot);
        }
    }
    for (int slot = 0; slot < roster.players; ++slot) {
        if ((frame == 0 && JoinsAtStart(roster, slot)) || Listed(roster.joinFrames[slot], frame)) {
            AddPlayer(state, level, slot);
        }
    }
}

bool StaysAlternate(const Roster& roster, int slot) {
    std::vector<long long> joins = roster.joinFrames[slot];
    std::vector<long long> leaves = roster.leaveFrames[slot];
    if (JoinsAtStart(roster, slot)) {
        joins.push_back(0);
    }
    if (leaves.size() != joins.size() && leaves.size() + 1 != joins.size()) {
        return false;
    }
    std::sort(joins.begin(), joins.end());
    std::sort(leaves.begin(), leaves.end());
    long long last = -1;
    for (std::size_t i = 0; i < joins.size(); ++i) {
        if (joins[i] <= last || (i < leaves.size() && leaves[i] <= joins[i])) {
            return false;
        }
        last = i < leaves.size() ? leaves[i] : joins[i];
    }
    return true;
}
