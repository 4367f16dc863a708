#include "input/InputDevices.hpp"
#include "play/FrameControls.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>

namespace {

constexpr int kEscape = 1, kW = 17, kA = 30, kS = 31, kD = 32, kF = 33, kSpace = 57, kLeft = 203,
              kRight = 205;

int endProgramCalls = 0;
// The test's own path rule; null lets every move be made.
bool (*pathClear)(void*, Vector3, Vector3) = nullptr;
void CountEndProgram(void*) {
    ++endProgramCalls;
}

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
        firstDoor.PlaceBlock(-110, -40, -450, 0, 1);
        secondDoor.PlaceBlock(-110, -40, -870, 0, 1);
        doorSwitch.PlaceBlock(-150, -10, -864, 1, 5);
        endProgramCalls = 0;
        pathClear = nullptr;
    }

    void Hold(std::initializer_list<int> codes) {
        std::memset(input.keys, 0, sizeof input.keys);
        for (const int code : codes) {
            input.keys[code] = 0x80;
        }
    }

    void Step(bool collided = false, float jumpHeight = 0.0f, float penguinZ = 0.0f) {
        const FrameControls controls{input,   camera,          collided,  jumpHeight,
                                     jumping, CountEndProgram, pathClear, nullptr};
        RunFrameControls(controls);
        RunBlockTriggers(input, penguinZ, firstDoor, secondDoor, doorSwitch);
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
        {kW, false, 0, -43.0f * 0.3f}, {kW, true, 0, 21.5f},  {kS, false, 0, -43.0f * -0.3f},
        {kS, true, 0, -21.5f},         {kA, false, -5.0f, 0}, {kA, true, 12.5f, 0},
        {kD, false, 5.0f, 0},          {kD, true, -12.5f, 0},
    };
    for (const auto& row : table) {
        SetUp();
        Hold({row.key});
        Step(row.collided);
        ExpectSame(camera.position, Vector3(row.dx, 10, 40.0f + row.dz));
        ExpectSame(camera.viewPoint, Vector3(row.dx, 0, -3.0f + row.dz));
    }
}

// A wall across the nave at z = -10: moves whose path reaches it are refused, the others made.
bool ClearOfWall(void*, Vector3 from, Vector3 to) {
    return (from.z > -10.0f) == (to.z > -10.0f);
}

TEST_F(FrameControlsTest, MovesThePathRuleRefusesAreNotMade) {
    pathClear = ClearOfWall;
    Hold({kW, kD}); // W would take the view point from -3 to -15.9: refused; D sidesteps as ever
    Step();
    ExpectSame(camera.position, Vector3(5, 10, 40));
    ExpectSame(camera.viewPoint, Vector3(5, 0, -3));
    Hold({kS});
    Step();
    ExpectSame(camera.viewPoint, Vector3(5, 0, -3.0f + -43.0f * -0.3f));
}

TEST_F(FrameControlsTest, OppositeKeysInOneFrameCancel) {
    Hold({kLeft, kRight});
    Step();
    EXPECT_NEAR(camera.position.x, 0.0f, 1e-4f);
    EXPECT_NEAR(camera.position.z, 40.0f, 1e-4f);
    ExpectSame(camera.viewPoint, Vector3(0, 0, -3));

    SetUp();
    Hold({kLeft});
    Step();
    EXPECT_NEAR(camera.position.x, 43 * std::sin(0.1f), 1e-4f);
    ExpectSame(camera.viewPoint, Vector3(0, 0, -3));

    SetUp();
    Hold({kW, kS});
    Step();
    EXPECT_NEAR(camera.position.z, 40.0f, 1e-4f);
    EXPECT_NEAR(camera.viewPoint.z, -3.0f, 1e-4f);
}

TEST_F(FrameControlsTest, JumpStartsOnlyFromTheGroundAndEndsAtTwelve) {
    Hold({kSpace});
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
        Hold(frame == 0 || frame == 5 || frame == 18 ? std::initializer_list<int>{kSpace}
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
    Hold({kEscape, kLeft, kRight, kW, kS, kA, kD, kSpace, kF});
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
    Hold({kF});
    Step(false, 0.0f, -864.0f);
    EXPECT_TRUE(doorSwitch.moving);
    EXPECT_TRUE(secondDoor.moving);
    EXPECT_FALSE(firstDoor.moving);
}
