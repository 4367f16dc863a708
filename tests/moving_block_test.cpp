#include "scene/MovingBlock.hpp"

#include <gtest/gtest.h>

namespace {

void Step(MovingBlock& block) {
    block.Advance();
}

} // namespace

TEST(MovingBlock, SecondDoorRisesPastSixtyAtTheHundredAndTwentySixthFrameAndComesBackExactly) {
    MovingBlock door;
    door.PlaceBlock(-110, -40, -870, BlockKind::Door, BlockDirection::PlusY);
    EXPECT_EQ(door.target.y, 60.0f);
    door.Trigger();
    ASSERT_TRUE(door.moving);
    for (int frame = 1; frame <= 125; ++frame) {
        Step(door);
    }
    EXPECT_TRUE(door.moving);
    EXPECT_LT(door.current.y, 60.0f);
    EXPECT_NEAR(door.current.y, 59.99994f, 1e-4f);
    Step(door);
    EXPECT_FALSE(door.moving);
    EXPECT_NEAR(door.current.y, 60.8f, 1e-3f);
    for (int frame = 1; frame <= 125; ++frame) {
        Step(door);
        EXPECT_GT(door.current.y, -40.0f) << frame;
    }
    Step(door);
    EXPECT_EQ(door.current.y, -40.0f);
    Step(door);
    EXPECT_EQ(door.current.y, -40.0f);
    EXPECT_EQ(door.current.x, -110.0f);
    EXPECT_EQ(door.current.z, -870.0f);
    // Back home exactly, so it can be triggered again.
    door.Trigger();
    EXPECT_TRUE(door.moving);
}

TEST(MovingBlock, SwitchIsPushedInSixFramesAndComesBackInSix) {
    MovingBlock button;
    button.PlaceBlock(-150, -10, -864, BlockKind::Switch, BlockDirection::MinusZ);
    EXPECT_EQ(button.target.z, -867.0f);
    button.Trigger();
    for (int frame = 1; frame <= 6; ++frame) {
        EXPECT_TRUE(button.moving) << frame;
        Step(button);
    }
    EXPECT_FALSE(button.moving);
    EXPECT_EQ(button.current.z, -867.0f);
    for (int frame = 1; frame <= 6; ++frame) {
        Step(button);
    }
    EXPECT_EQ(button.current.z, -864.0f);
    Step(button);
    EXPECT_EQ(button.current.z, -864.0f);
    EXPECT_EQ(button.current.x, -150.0f);
    EXPECT_EQ(button.current.y, -10.0f);
}

TEST(MovingBlock, BlocksThatCannotMoveStayPut) {
    // A direction outside 0..5 leaves target untouched and never moves the block.
    for (const int direction : {-1, 6, 42}) {
        MovingBlock block;
        block.target = Vector3(1, 2, 3);
        block.PlaceBlock(5, 6, 7, BlockKind::Door, static_cast<BlockDirection>(direction));
        EXPECT_EQ(block.target.x, 1.0f);
        EXPECT_EQ(block.target.y, 2.0f);
        EXPECT_EQ(block.target.z, 3.0f);
        block.Trigger();
        for (int frame = 0; frame < 300; ++frame) {
            Step(block);
        }
        EXPECT_EQ(block.current.x, 5.0f);
        EXPECT_EQ(block.current.y, 6.0f);
        EXPECT_EQ(block.current.z, 7.0f);
    }
    // Kind 2 (and any unknown kind) travels nowhere at no speed: it stops at its first step.
    for (const int kind : {2, 7}) {
        MovingBlock block;
        block.PlaceBlock(5, 6, 7, static_cast<BlockKind>(kind), BlockDirection::PlusY);
        EXPECT_EQ(block.target.y, 6.0f);
        block.Trigger();
        Step(block);
        EXPECT_FALSE(block.moving);
        for (int frame = 0; frame < 10; ++frame) {
            Step(block);
        }
        EXPECT_EQ(block.current.y, 6.0f);
    }
}

TEST(MovingBlock, TriggerSnapsHeightToStartAndNeedsANonZeroStartHeight) {
    MovingBlock door;
    door.PlaceBlock(-110, -40, -450, BlockKind::Door, BlockDirection::PlusY);
    door.Trigger();
    for (int frame = 0; frame < 30; ++frame) {
        Step(door);
    }
    ASSERT_GT(door.current.y, -20.0f);
    door.Trigger();
    EXPECT_EQ(door.current.y, -40.0f);
    EXPECT_TRUE(door.moving);

    // An x-moving block keeps its place on the moving axis and heads out again from there.
    MovingBlock slider;
    slider.PlaceBlock(0, 5, 0, BlockKind::Switch, BlockDirection::PlusX);
    slider.Trigger();
    Step(slider);
    Step(slider);
    slider.Trigger();
    EXPECT_EQ(slider.current.x, 1.0f);
    EXPECT_TRUE(slider.moving);

    MovingBlock onTheGround;
    onTheGround.PlaceBlock(0, 0, 0, BlockKind::Door, BlockDirection::PlusY);
    onTheGround.Trigger();
    EXPECT_FALSE(onTheGround.moving);
}

TEST(MovingBlock, EveryDirectionMovesOnlyItsOwnAxis) {
    const Vector3 home(10, 20, 30);
    for (int direction = 0; direction < 6; ++direction) {
        MovingBlock block;
        block.PlaceBlock(home.x, home.y, home.z, BlockKind::Switch, static_cast<BlockDirection>(direction));
        block.Trigger();
        for (int frame = 0; frame < 6; ++frame) {
            Step(block);
        }
        const float sign = direction < 3 ? 1.0f : -1.0f;
        const Vector3 expected(home.x + (direction % 3 == 0 ? 3 * sign : 0),
                               home.y + (direction % 3 == 1 ? 3 * sign : 0),
                               home.z + (direction % 3 == 2 ? 3 * sign : 0));
        EXPECT_EQ(block.current.x, expected.x) << direction;
        EXPECT_EQ(block.current.y, expected.y) << direction;
        EXPECT_EQ(block.current.z, expected.z) << direction;
        EXPECT_EQ(block.target.x, expected.x) << direction;
        EXPECT_EQ(block.target.y, expected.y) << direction;
        EXPECT_EQ(block.target.z, expected.z) << direction;
    }
}
