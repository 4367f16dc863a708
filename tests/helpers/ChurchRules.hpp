#pragma once

// The game's own church, read from the build's run folder and partitioned as the game does, for
// tests of the rules without a window or a GL context: the rules' view of it, and key scripts
// stepped through the rules.

#include "helpers/MessageLog.hpp"
#include "input/KeyMask.hpp"
#include "input/KeyScript.hpp"
#include "model/Model.hpp"
#include "model/ModelObject.hpp"
#include "model/Reader3DS.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "play/RulesStep.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace testing_tools {

class ChurchRules {
  public:
    Model model;
    Octree octree;
    bool loaded = false;

    ChurchRules() {
        loaded = Read3dsFile(model, (std::string(JOSTRELA_RUN_DIR) + "/MODELOS/church.3DS").c_str()) &&
                 !octree.Build(model).outOfMemory;
    }
    ChurchRules(const ChurchRules&) = delete;
    ChurchRules& operator=(const ChurchRules&) = delete;

    RulesLevel Level() const { return RulesLevel{&octree, &model, kCollisionRadius}; }

    // One frame for every slot with the masks given; true when Escape asked to end.
    bool Step(SimState& state, const KeyMask keys[kMaxPlayers]) const {
        OctreeStats counts{};
        return StepRules(state, Level(), keys, counts);
    }
};

// The church one test program shares, read once, with what the reading would show collected.
inline const ChurchRules& Church() {
    static const MessageLog quiet;
    static const ChurchRules church;
    return church;
}

// A state in Church() with the players of slots 0 to count - 1 at their start spots.
inline SimState StartState(int count) {
    SimState state = EmptyState();
    for (int slot = 0; slot < count; ++slot) {
        EXPECT_TRUE(AddPlayer(state, Church().Level(), slot));
    }
    return state;
}

} // namespace testing_tools
