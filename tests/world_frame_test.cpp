#include "helpers/MessageLog.hpp"
#include "input/KeyCodes.hpp"
#include "shell/FrameStep.hpp"
#include "shell/RenderFrame.hpp"
#include "shell/World.hpp"
#include "support/GLTestContext.hpp"

#include <gtest/gtest.h>

namespace {

// A world without models (their files do not exist) on a hidden surface, posed and placed as the
// start-up does, over an octree of the empty level.
struct TestWorld {
    testing_tools::MessageLog quiet;
    World world{"MODELOS/no-such-penguin.3DS", "MODELOS/no-such-church.3DS"};
    GLWindow window;

    explicit TestWorld(const GLTestContext& gl) {
        window.deviceContext = gl.Surface();
        world.mainWindow = &window;
        world.camera.SetPose(0, 10, 40, 0, 0, -3, 0, 1, 0);
        world.doorSwitch.PlaceBlock(-150, -10, -864, BlockKind::Switch, BlockDirection::MinusZ);
        world.secondDoor.PlaceBlock(-110, -40, -870, BlockKind::Door, BlockDirection::PlusY);
        world.leafCount = world.octree.Build(world.level.model).leafCount;
    }
    ~TestWorld() { window.deviceContext = nullptr; } // the test context's own

    void Hold(int code) { world.input.keys[code] = 0x80; }
    void Frame() {
        FrameStep(world);
        world.camera.RefreshStrafe();
        RenderFrame(world);
    }
};

} // namespace

// The frame step and the render pass work on the world they are handed: a jump and a pressed switch
// run their course in one world while a second world stands still.
TEST(WorldFrame, StepAndRenderPassChangeOnlyTheirOwnWorld) {
    GLTestContext gl;
    ASSERT_TRUE(gl.IsOpen());
    TestWorld a(gl);
    TestWorld b(gl);
    a.Hold(key::kSpace);
    a.Hold(key::kW);
    a.world.camera.SetPose(0, 10, -774, 0, 0, -817, 0, 1, 0); // the switch is within reach
    a.world.penguin.position.z = -817;
    a.Hold(key::kF);
    a.Frame();
    a.world.input.keys[key::kSpace] = a.world.input.keys[key::kF] = 0;
    EXPECT_TRUE(a.world.jumping);
    EXPECT_EQ(a.world.jumpHeight, 1.0f);
    EXPECT_NEAR(a.world.camera.viewPoint.z, -829.9f, 1e-3f); // 0.3 of the 43-unit line of sight
    EXPECT_EQ(a.world.penguin.position.y, 1.0f);
    EXPECT_EQ(a.world.doorSwitch.current.z, -864.5f);
    EXPECT_NEAR(a.world.secondDoor.current.y, -39.2f, 1e-5f);
    // The counters are the last frame's, not a sum.
    const OctreeStats first = a.world.octreeStats;
    EXPECT_EQ(first.drawNodesTested + first.collideNodesTested, 2);
    for (int frame = 2; frame <= 24; ++frame) {
        a.Frame();
    }
    EXPECT_FALSE(a.world.jumping);
    EXPECT_EQ(a.world.jumpHeight, 0.0f);
    EXPECT_EQ(a.world.octreeStats.collideNodesTested, first.collideNodesTested);
    EXPECT_EQ(a.world.doorSwitch.current.z, -864.0f);

    EXPECT_EQ(b.world.jumpHeight, 0.0f);
    EXPECT_EQ(b.world.camera.viewPoint.z, -3.0f);
    EXPECT_EQ(b.world.secondDoor.current.y, -40.0f);
    EXPECT_FALSE(b.world.secondDoor.moving);
}

// Escape ends the program through the window of the world whose step saw it.
TEST(WorldFrame, EscapeDestroysTheWorldsOwnWindow) {
    testing_tools::MessageLog quiet;
    World world{"MODELOS/no-such-penguin.3DS", "MODELOS/no-such-church.3DS"};
    GLWindow window;
    world.mainWindow = &window;
    world.input.keys[key::kEscape] = 0x80;
    FrameStep(world);
    platform::Event event{};
    bool sawQuit = false;
    for (int i = 0; i < 1000 && platform::PeekEvent(event); ++i) {
        sawQuit = sawQuit || event.kind == platform::EventKind::Quit;
    }
    EXPECT_TRUE(sawQuit);
}
