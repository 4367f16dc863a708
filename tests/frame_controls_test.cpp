#include "input/InputDevices.hpp"
#include "input/KeyCodes.hpp"
#include "input/KeyMask.hpp"
#include "input/KeyScript.hpp"
#include "play/FrameControls.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>

namespace {

int endProgramCalls = 0;
// The test's own path rule; null lets every move be made.
bool (*pathClear)(void*, Vector3, Vector3) = nullptr;
// The test's own answer to whether a key's step points into what the penguin touches; null: always.
bool (*headsInto)(void*, Vector3) = nullptr;

// The frame step's world with the game's start pose and block placements.
class FrameControlsTest : public ::testing::Test {
  protected:
    InputDevices input;
    Camera camera;
    bool jumping = false;
    MovingBlock firstDoor;
    MovingBlock secondDoor;
    MovingBlock doorSwitch;

    void SetUp() override {
        camera.SetPose(0, 10, 40, 0, 0, -3, 0, 1, 0);
        camera.RefreshStrafe();
        jumping = false;
        firstDoor = secondDoor = doorSwitch = MovingBlock();
        firstDoor.PlaceBlock(-110, -40, -450, BlockKind::Door, BlockDirection::PlusY);
        secondDoor.PlaceBlock(-110, -40, -870, BlockKind::Door, BlockDirection::PlusY);
        doorSwitch.PlaceBlock(-150, -10, -864, BlockKind::Switch, BlockDirection::MinusZ);
        endProgramCalls = 0;
        pathClear = nullptr;
        headsInto = nullptr;
    }

    void Hold(std::initializer_list<int> codes) {
        std::memset(input.keys, 0, sizeof input.keys);
        for (const int code : codes) {
            input.keys[code] = 0x80;
        }
    }

    // The keys go through the keyboard snapshot's mask, as the game's do.
    void Step(bool collided = false, float jumpHeight = 0.0f, float penguinZ = 0.0f) {
        const KeyMask keys = KeyMaskFromSnapshot(input.keys);
        const FrameControls controls{keys,    camera,    collided,  jumpHeight,
                                     jumping, pathClear, headsInto, nullptr};
        endProgramCalls += RunFrameControls(controls) ? 1 : 0;
        RunBlockTriggers(keys, penguinZ, firstDoor, secondDoor, doorSwitch);
    }
};

void ExpectSame(Vector3 a, Vector3 b) {
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
}

} // namespace

// From the start pose the view runs (0, -10, -43) from the eye and the strafe is (1, 0, 0): W and S
// move eye and view point along -43 z by their factor, A and D along x by theirs; y never changes.
TEST_F(FrameControlsTest, MovementKeysFollowTheSettingsAndReboundWhileColliding) {
    const struct {
        int key;
        bool collided;
        float dx;
        float dz;
    } table[] = {
        {key::kW, false, 0, -43.0f * 0.3f}, {key::kW, true, 0, 21.5f},  {key::kS, false, 0, -43.0f * -0.3f},
        {key::kS, true, 0, -21.5f},         {key::kA, false, -5.0f, 0}, {key::kA, true, 12.5f, 0},
        {key::kD, false, 5.0f, 0},          {key::kD, true, -12.5f, 0},
    };
    for (const auto& row : table) {
        SetUp();
        Hold({row.key});
        Step(row.collided);
        ExpectSame(camera.position, Vector3(row.dx, 10, 40.0f + row.dz));
        ExpectSame(camera.viewPoint, Vector3(row.dx, 0, -3.0f + row.dz));
    }
}

// The arrows walk exactly like W and S, rebounds included: a script written with them leaves the
// camera where the same script with W and S does.
TEST_F(FrameControlsTest, TheUpAndDownArrowsWalkLikeWAndS) {
    const auto replay = [this](const char* text) {
        KeyScript script;
        KeyScriptError error;
        EXPECT_TRUE(ParseKeyScript(text, std::strlen(text), script, error)) << error.what;
        SetUp();
        for (std::uint32_t frame = 0; frame < 30; ++frame) {
            const KeyMask keys = KeyMaskAt(script, frame);
            const FrameControls controls{keys,    camera,    frame % 7 == 6, 0.0f,
                                         jumping, pathClear, headsInto,      nullptr};
            RunFrameControls(controls);
        }
        return camera;
    };
    const Camera letters = replay("0 9 W+LEFT\n10 19 S+D\n20 29 W+S+RIGHT\n");
    const Camera arrows = replay("0 9 UP+LEFT\n10 19 DOWN+D\n20 29 UP+DOWN+RIGHT\n");
    const Camera both = replay("0 9 W+UP+LEFT\n10 19 S+DOWN+D\n20 29 UP+S+RIGHT\n");
    for (const Camera* other : {&arrows, &both}) {
        ExpectSame(other->position, letters.position);
        ExpectSame(other->viewPoint, letters.viewPoint);
        ExpectSame(other->strafe, letters.strafe);
    }
}

// A wall across the nave at z = -10: moves whose path reaches it are refused, the others made.
bool ClearOfWall(void*, Vector3 from, Vector3 to) {
    return (from.z > -10.0f) == (to.z > -10.0f);
}

// A refused move goes as far as the path rule allows, eye and view point alike: W stops at the
// wall; D sidesteps as ever.
TEST_F(FrameControlsTest, RefusedMovesStopWhereThePathRuleStops) {
    pathClear = ClearOfWall;
    Hold({key::kW, key::kD}); // W would take the view point from -3 to -15.9
    Step();
    EXPECT_GT(camera.viewPoint.z, -10.0f);
    EXPECT_LT(camera.viewPoint.z, -10.0f + 12.9f / 32768);
    EXPECT_NEAR(camera.position.z - camera.viewPoint.z, 43.0f, 1e-4f);
    EXPECT_EQ(camera.viewPoint.x, 5.0f);
    Hold({key::kS});
    const float z = camera.viewPoint.z;
    Step();
    EXPECT_EQ(camera.viewPoint.z, z + -43.0f * -0.3f);
}

// Touching a wall ahead (towards -z): while collided, the keys whose own step heads into it
// rebound, the others make their own step; W and S were in the rebound table above.
bool WallAhead(void*, Vector3 move) {
    return move.z < 0.0f;
}

TEST_F(FrameControlsTest, WhileTouchingOnlyKeysPointingIntoItRebound) {
    headsInto = WallAhead;
    const struct {
        int key;
        float dx, dz;
    } table[] = {{key::kW, 0, 21.5f}, {key::kS, 0, -43.0f * -0.3f}, {key::kA, -5.0f, 0}, {key::kD, 5.0f, 0}};
    for (const auto& row : table) {
        SetUp();
        headsInto = WallAhead;
        Hold({row.key});
        Step(true);
        ExpectSame(camera.viewPoint, Vector3(row.dx, 0, -3.0f + row.dz));
    }
}

TEST_F(FrameControlsTest, OppositeKeysInOneFrameCancel) {
    Hold({key::kLeft, key::kRight});
    Step();
    EXPECT_NEAR(camera.position.x, 0.0f, 1e-4f);
    EXPECT_NEAR(camera.position.z, 40.0f, 1e-4f);
    ExpectSame(camera.viewPoint, Vector3(0, 0, -3));

    SetUp();
    Hold({key::kLeft});
    Step();
    EXPECT_NEAR(camera.position.x, 43 * std::sin(0.1f), 1e-4f);
    ExpectSame(camera.viewPoint, Vector3(0, 0, -3));

    SetUp();
    Hold({key::kW, key::kS});
    Step();
    EXPECT_NEAR(camera.position.z, 40.0f, 1e-4f);
    EXPECT_NEAR(camera.viewPoint.z, -3.0f, 1e-4f);
}

TEST_F(FrameControlsTest, JumpStartsOnlyFromTheGroundAndEndsAtTwelve) {
    Hold({key::kSpace});
    Step(false, 0.5f);
    EXPECT_FALSE(jumping);
    Step(false, -0.0f);
    EXPECT_TRUE(jumping);
    Step(false, 11.0f);
    EXPECT_TRUE(jumping);
    // Space held at the top: the start test fails (height not 0) and the top test clears.
    Step(false, 12.0f);
    EXPECT_FALSE(jumping);

    // The whole cycle with the render pass's height step: Space held only in the first frame.
    float height = 0.0f;
    int top = -1;
    int landed = -1;
    for (int frame = 0; frame < 40; ++frame) {
        Hold(frame == 0 || frame == 5 || frame == 18 ? std::initializer_list<int>{key::kSpace}
                                                     : std::initializer_list<int>{});
        Step(false, height);
        if (jumping) {
            height += 1.0f;
        } else if (height > 0.0f) {
            height -= 1.0f;
        }
        if (height == 12.0f && top < 0) {
            top = frame;
        }
        if (top >= 0 && height == 0.0f && landed < 0) {
            landed = frame;
        }
    }
    EXPECT_EQ(top, 11);    // twelve render passes after the start
    EXPECT_EQ(landed, 23); // twelve frames after the top
    EXPECT_EQ(height, 0.0f);
}

TEST_F(FrameControlsTest, EscapeEndsTheProgramAndTheStepGoesOn) {
    jumping = true;
    Hold({key::kEscape, key::kLeft, key::kRight, key::kW, key::kS, key::kA, key::kD, key::kSpace, key::kF});
    Step(false, 12.0f, -450.0f);
    EXPECT_EQ(endProgramCalls, 1);
    EXPECT_FALSE(jumping);
    EXPECT_TRUE(firstDoor.moving);
}

TEST_F(FrameControlsTest, DoorTriggersCountOnlyZWithBothEndsIncluded) {
    for (const float z : {-350.0f, -550.0f, -450.0f}) {
        SetUp();
        TriggerNearbyBlocks(z, firstDoor, secondDoor, doorSwitch);
        EXPECT_TRUE(firstDoor.moving) << z;
        EXPECT_FALSE(doorSwitch.moving) << z;
    }
    for (const float z : {-349.99f, -550.01f}) {
        SetUp();
        TriggerNearbyBlocks(z, firstDoor, secondDoor, doorSwitch);
        EXPECT_FALSE(firstDoor.moving) << z;
    }
    // A door away from its start height is not triggered again.
    SetUp();
    firstDoor.current.y = -39.2f;
    TriggerNearbyBlocks(-450.0f, firstDoor, secondDoor, doorSwitch);
    EXPECT_FALSE(firstDoor.moving);
}

TEST_F(FrameControlsTest, SwitchOpensTheSecondDoorOnlyWhileItIsDown) {
    for (const float z : {-784.0f, -944.0f}) {
        SetUp();
        TriggerNearbyBlocks(z, firstDoor, secondDoor, doorSwitch);
        EXPECT_TRUE(doorSwitch.moving) << z;
        EXPECT_TRUE(secondDoor.moving) << z;
    }
    SetUp();
    TriggerNearbyBlocks(-783.9f, firstDoor, secondDoor, doorSwitch);
    EXPECT_FALSE(doorSwitch.moving);
    EXPECT_FALSE(secondDoor.moving);

    // The door is rising: F near the switch does nothing until it is back at exactly -40.
    SetUp();
    secondDoor.current.y = -39.2f;
    TriggerNearbyBlocks(-864.0f, firstDoor, secondDoor, doorSwitch);
    EXPECT_FALSE(doorSwitch.moving);
    EXPECT_FALSE(secondDoor.moving);

    // Through the frame step: F with the penguin by the switch.
    SetUp();
    Hold({key::kF});
    Step(false, 0.0f, -864.0f);
    EXPECT_TRUE(doorSwitch.moving);
    EXPECT_TRUE(secondDoor.moving);
    EXPECT_FALSE(firstDoor.moving);
}
