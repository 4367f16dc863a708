// Touching the level, through the rules alone: a key that points away from what the penguin touches
// frees it, nothing carries its sphere into a pew, a wall or a block, and the door waits over it.
#include "geometry/Contact.hpp"
#include "helpers/ChurchRules.hpp"
#include "helpers/RandomWalk.hpp"
#include "play/SolidBlocks.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using testing_tools::Church;
constexpr float kRadius = kCollisionRadius;

// The largest amount, over every face of the level and both solid blocks, by which the sphere at
// `after` lies deeper than the sphere at `before` did (or than touching, when it began clear), the
// blocks measured where they were before and after. Every face is measured, not only those the
// octree hands the rules.
double DeepestSink(Vector3 before, const SimState& was, Vector3 after, const SimState& now) {
    double deepest = 0.0;
    const auto measure = [&deepest](double from, double to) {
        const double began = from < kRadius ? from : kRadius;
        deepest = began - to > deepest ? began - to : deepest;
    };
    for (const MeshObject& object : Church().model.objects) {
        for (const Face& face : object.faces) {
            const std::int32_t* k = face.vertexIndex;
            const Vector3 t[3] = {object.vertices[k[0]], object.vertices[k[1]], object.vertices[k[2]]};
            const double to = TriangleDistance(after, t);
            if (to < kRadius) {
                measure(TriangleDistance(before, t), to);
            }
        }
    }
    measure(BoxDistance(before, was.secondDoor.current, secondDoorSize),
            BoxDistance(after, now.secondDoor.current, secondDoorSize));
    measure(BoxDistance(before, was.doorSwitch.current, switchSize),
            BoxDistance(after, now.doorSwitch.current, switchSize));
    return deepest;
}

// Steps slot 0 with keys(frame) until `frames` frames are done, checking after every frame that the
// sphere sank no deeper into anything than the tolerance allows, and calling each with the state.
void StepChecked(SimState& state, std::uint32_t frames, const std::function<KeyMask(std::uint32_t)>& keys,
                 const std::function<void(const SimState&)>& each) {
    while (state.frame < frames) {
        const SimState was = state;
        const KeyMask masks[kMaxPlayers] = {keys(state.frame), 0, 0, 0};
        ASSERT_FALSE(Church().Step(state, masks));
        ASSERT_LE(DeepestSink(was.players[0].penguin, was, state.players[0].penguin, state), kSinkTolerance)
            << "after frame " << state.frame;
        each(state);
    }
}

// Replays tests/walkthrough/NAME.keys for slot 0 over `frames` frames, checking after every frame
// that the sphere sank no deeper into anything than the tolerance allows, and calling each with the
// state after every frame. The blocks count too: a door coming down sinks into the sphere as much as
// a step into the door does.
void Walk(const std::string& name, std::uint32_t frames, const std::function<void(const SimState&)>& each) {
    KeyScript script;
    KeyScriptError error;
    const std::string path = std::string(JOSTRELA_WALKTHROUGH_DIR) + "/" + name + ".keys";
    ASSERT_TRUE(LoadKeyScript(path.c_str(), script, error)) << error.what;
    SimState state = EmptyState();
    ASSERT_TRUE(AddPlayer(state, Church().Level(), 0));
    StepChecked(
        state, frames, [&script](std::uint32_t frame) { return KeyMaskAt(script, frame); }, each);
}

} // namespace

// Backed into the west wall (inner face z = 170) until it touches it, then W: W points away from the
// wall and walks the penguin off at once, a full step a frame, down the nave.
TEST(TouchingRules, AKeyPointingAwayFromAWallWalksOff) {
    bool touched = false;
    float wHeldAt = 0.0f;
    Walk("wall_stuck", 60, [&](const SimState& state) {
        const Player& player = state.players[0];
        touched = touched || player.collided;
        if (state.frame == 20) {
            wHeldAt = player.penguin.z;
        }
        if (state.frame == 30) {
            EXPECT_NEAR(player.penguin.z, wHeldAt - 10 * 12.9f, 0.01f);
        }
    });
    EXPECT_TRUE(touched);
}

// S held against the first pew's back rest (z -84 .. -60, x 35 .. 130) backs the penguin off; no
// frame carries it past the back rest, let alone across the rows.
TEST(TouchingRules, SHeldAgainstAPewBacksOffAndNothingCrossesTheRows) {
    float sHeldAt = 0.0f;
    Walk("pew_back", 121, [&](const SimState& state) {
        const Vector3 p = state.players[0].penguin;
        ASSERT_GT(p.z, -60.0f) << "after frame " << state.frame;
        if (state.frame == 81) {
            EXPECT_GE(p.x, 35.0f);
            EXPECT_TRUE(state.players[0].collided);
            sHeldAt = p.z;
        }
        if (state.frame == 91) {
            EXPECT_GT(p.z, sHeldAt + 9 * 12.9f);
        }
    });
}

// Through the doorway as the door comes down: the door stops short of the penguin's sphere and
// waits there; once the penguin walks on into the sanctuary it closes, to exactly its start height.
TEST(TouchingRules, TheDoorWaitsOverAPenguinInTheDoorway) {
    float waitingAt = 0.0f;
    Walk("door_wait", 430, [&](const SimState& state) {
        if (state.frame == 300) {
            waitingAt = state.secondDoor.current.y;
            EXPECT_FALSE(state.secondDoor.moving);
            EXPECT_GT(waitingAt, 0.0f);
        }
        if (state.frame == 330) {
            EXPECT_EQ(state.secondDoor.current.y, waitingAt);
        }
        if (state.frame == 430) {
            EXPECT_EQ(state.secondDoor.current.y, -40.0f);
        }
    });
}

// A jump that comes down on the first pew's back rest (top y -10, back z -60): the fall waits where
// the sphere meets its edge, and the penguin stands there; S walks it off, and it lands behind.
TEST(TouchingRules, AJumpComingDownOnAPewStandsOnIt) {
    Walk("pew_landing", 81, [](const SimState& state) {
        const Player& player = state.players[0];
        if (state.frame == 45) {
            EXPECT_EQ(player.jumpHeight, 4.0f);
            EXPECT_FALSE(player.jumping);
            EXPECT_LT(player.penguin.z, -60.0f + kRadius);
        }
        if (state.frame == 81) {
            EXPECT_EQ(player.jumpHeight, 0.0f);
            EXPECT_GT(player.penguin.z, -60.0f + kRadius);
        }
    });
}

// The switch pushed in comes back towards the room; a penguin whose sphere its next step would touch
// holds it where it is, and once the penguin is gone it comes home as designed, to exactly its start.
TEST(TouchingRules, TheSwitchWaitsForAPenguinInFrontOfIt) {
    SimState state = EmptyState();
    state.doorSwitch.Trigger();
    for (int step = 0; step < 6; ++step) {
        AdvanceSolidBlocks(state.doorSwitch, state.secondDoor, nullptr, 0, kRadius);
    }
    ASSERT_EQ(state.doorSwitch.current.z, -867.0f);
    // 15.2 in front of the pushed-in switch's front face (z -862): a step of 0.5 would touch it.
    const Vector3 penguin(-148.0f, -8.0f, -862.0f + 15.2f);
    for (int step = 0; step < 10; ++step) {
        AdvanceSolidBlocks(state.doorSwitch, state.secondDoor, &penguin, 1, kRadius);
    }
    EXPECT_EQ(state.doorSwitch.current.z, -867.0f);
    for (int step = 0; step < 6; ++step) {
        AdvanceSolidBlocks(state.doorSwitch, state.secondDoor, nullptr, 0, kRadius);
    }
    EXPECT_EQ(state.doorSwitch.current.z, -864.0f);
    EXPECT_EQ(state.secondDoor.current.y, -40.0f);
}

// Walks at random from the start and from the choir, F and jumps included, so through the nave, its
// aisles and pews, and the doorway with the door going up and down: no frame sinks the sphere into
// anything, and a penguin is never held for long while its keys try both ways along an axis.
TEST(TouchingRules, RandomWalksNeverSinkNorStick) {
    for (const float startZ : {-3.0f, -800.0f}) {
        SCOPED_TRACE(startZ);
        SimState state = EmptyState();
        ASSERT_TRUE(AddPlayer(state, Church().Level(), 0));
        Player& player = state.players[0];
        player.camera.SetPose(0, 10, startZ + 43, 0, 0, startZ, 0, 1, 0);
        player.penguin = Vector3(0, 0, startZ);
        testing_tools::RandomKeys random(777);
        KeyMask held = 0;
        const auto keys = [&](std::uint32_t frame) {
            held = frame % 8 == 0 ? random.Next() : held;
            return held;
        };
        Vector3 last = player.camera.viewPoint;
        testing_tools::StuckWatch watch;
        float doorTop = -40.0f;
        StepChecked(state, 3000, keys, [&](const SimState& now) {
            const Vector3 at = now.players[0].camera.viewPoint;
            ASSERT_FALSE(watch.Held(PointDistance(last, at) > 0.0f, held)) << "stuck at frame " << now.frame;
            last = at;
            doorTop = now.secondDoor.current.y > doorTop ? now.secondDoor.current.y : doorTop;
        });
        EXPECT_EQ(doorTop > 0.0f, startZ < -500.0f); // the walk from the choir opened the door
    }
}
