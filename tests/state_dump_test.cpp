#include "diag/StateDump.hpp"

#include "helpers/JsonMatch.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

TEST(StateDump, OneLineObjectWithEveryField) {
    Camera camera;
    camera.SetPose(0.1f, 10, 27.1f, 0, 0, -15.9f, 0, 1, 0);
    camera.strafe = Vector3(0.6f, 0, -0.8f);
    MovingBlock firstDoor;
    MovingBlock secondDoor;
    MovingBlock doorSwitch;
    firstDoor.PlaceBlock(-110, -40, -450, BlockKind::Door, BlockDirection::PlusY);
    secondDoor.PlaceBlock(-110, -40, -870, BlockKind::Door, BlockDirection::PlusY);
    secondDoor.current.y = 60.799942f;
    secondDoor.moving = true;
    doorSwitch.PlaceBlock(-150, -10, -864, BlockKind::Switch, BlockDirection::MinusZ);
    const Vector3 penguin(0, 3, -15.9f);
    const GameState state{12,         &camera,     &penguin,    3.0f,    true, false,
                          &firstDoor, &secondDoor, &doorSwitch, nullptr, 0};

    testing_tools::ExpectJsonLine(StateJson(state), R"({
        "frames": 12,
        "camera": {"position": [0.1, 10, 27.1], "viewPoint": [0, 0, -15.9], "up": [0, 1, 0],
                   "strafe": [0.6, 0, -0.8]},
        "penguin": [0, 3, -15.9], "jumpHeight": 3, "jumping": true, "collided": false,
        "blocks": {"firstDoor": {"current": [-110, -40, -450], "moving": false},
                   "secondDoor": {"current": [-110, 60.799942, -870], "moving": true},
                   "doorSwitch": {"current": [-150, -10, -864], "moving": false}}})");
}

TEST(StateDump, WritesTheFileAndReportsAnUnwritablePath) {
    Camera camera;
    const GameState state{0, &camera, nullptr, 0.0f, false, true, nullptr, nullptr, nullptr, nullptr, 0};
    const std::string path = testing::TempDir() + "state_dump_test.json";
    ASSERT_TRUE(WriteStateDump(path.c_str(), state));
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), StateJson(state));
    EXPECT_EQ(text.str().find("penguin"), std::string::npos);
    EXPECT_EQ(text.str().find("blocks"), std::string::npos);
    std::remove(path.c_str());

    EXPECT_FALSE(WriteStateDump("/nonexistent-folder/state.json", state));
}

TEST(StateDump, CarriesTheLastFramesOctreeCounts) {
    Camera camera;
    camera.SetPose(0, 10, 40, 0, 0, -3, 0, 1, 0);
    const OctreeStats counts{17, 9, 5, 31};
    const GameState state{3, &camera, nullptr, 0.0f, false, true, nullptr, nullptr, nullptr, &counts, 456};
    const nlohmann::json json = testing_tools::ParseJsonLine(StateJson(state));
    testing_tools::ExpectJsonMatches(json["octree"], nlohmann::json::parse(R"({"leafCount": 456,
        "leavesDrawn": 9, "drawNodesTested": 17, "collideNodesTested": 5, "facesTested": 31})"));
    EXPECT_EQ(json["collided"], true);
}
