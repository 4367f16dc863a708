// The rules of a frame on their own: no window, no GL context.
#include "diag/StateDump.hpp"
#include "helpers/ChurchRules.hpp"
#include "helpers/MessageLog.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>
#include <string>

namespace {

using testing_tools::ChurchRules;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

// Every walk-through script replayed through the rules alone leaves the state recorded for it, every
// float the same (tests/e2e/walkthrough_states.sh holds the game to the same files).
TEST(RulesStep, WalkThroughScriptsGiveTheGamesStatesWithoutGL) {
    testing_tools::MessageLog quiet;
    const ChurchRules church;
    ASSERT_TRUE(church.loaded);
    for (const char* name : {"backed", "door", "door_view", "door_wait", "jump", "nave", "pew", "pew_back",
                             "pew_landing", "wall", "wall_stuck"}) {
        const std::string base = std::string(JOSTRELA_WALKTHROUGH_DIR) + "/" + name;
        const std::string expected = ReadFile(base + ".state.json");
        KeyScript script;
        KeyScriptError error;
        ASSERT_TRUE(LoadKeyScript((base + ".keys").c_str(), script, error)) << name;
        const std::uint32_t frames =
            static_cast<std::uint32_t>(std::stoul(expected.substr(expected.find(':') + 1)));

        SimState state = EmptyState();
        ASSERT_TRUE(AddPlayer(state, church.Level(), 0));
        while (state.frame < frames) {
            const KeyMask keys[kMaxPlayers] = {KeyMaskAt(script, state.frame), 0, 0, 0};
            ASSERT_FALSE(church.Step(state, keys));
        }
        EXPECT_EQ(nlohmann::json::parse(StateJson(RulesState(state, false))), nlohmann::json::parse(expected))
            << name;
    }
}

// One step runs the frame step, then the jump, the placing and the blocks: Space, W and F by the
// switch in one frame leave the penguin a unit up under the moved view point, the switch half a unit
// in and the door 0.8 up. Escape ends the frame after the frame steps and does not count it.
TEST(RulesStep, OneStepInTodaysOrderAndEscapeStopsAfterTheFrameSteps) {
    const ChurchRules church;
    ASSERT_TRUE(church.loaded);
    SimState state = EmptyState();
    ASSERT_TRUE(AddPlayer(state, church.Level(), 0));
    Player& player = state.players[0];
    player.camera.SetPose(0, 10, -774, 0, 0, -817, 0, 1, 0);
    player.penguin.z = -817;
    const KeyMask keys[kMaxPlayers] = {keybit::kSpace | keybit::kW | keybit::kF, 0, 0, 0};
    ASSERT_FALSE(church.Step(state, keys));
    EXPECT_EQ(state.frame, 1u);
    EXPECT_TRUE(player.jumping);
    EXPECT_NEAR(player.camera.viewPoint.z, -829.9f, 1e-3f);
    EXPECT_EQ(player.penguin.y, 1.0f);
    EXPECT_EQ(player.penguin.z, player.camera.viewPoint.z);
    EXPECT_EQ(state.doorSwitch.current.z, -864.5f);
    EXPECT_NEAR(state.secondDoor.current.y, -39.2f, 1e-5f);

    const KeyMask escape[kMaxPlayers] = {keybit::kEscape | keybit::kW, 0, 0, 0};
    const float viewZ = player.camera.viewPoint.z;
    EXPECT_TRUE(church.Step(state, escape));
    EXPECT_EQ(state.frame, 1u);
    EXPECT_LT(player.camera.viewPoint.z, viewZ); // the walk was made
    EXPECT_EQ(player.jumpHeight, 1.0f);          // the jump was not raised
    EXPECT_EQ(state.doorSwitch.current.z, -864.5f);
}
