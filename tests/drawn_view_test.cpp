// The drawn eye: inside the church, with the penguin in the picture, whatever the rules' camera does;
// the rules' camera itself is never touched.
#include "geometry/SegmentHits.hpp"
#include "helpers/ChurchRules.hpp"
#include "helpers/RandomWalk.hpp"
#include "play/SolidBlocks.hpp"
#include "shell/DrawnView.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

using testing_tools::Church;
using testing_tools::StartState;

// Steps the rules one frame with keys for slot 0 (the others stand) and follows slot 0's view.
void StepAndFollow(SimState& state, DrawnView& view, KeyMask keys) {
    const KeyMask all[kMaxPlayers] = {keys, 0, 0, 0};
    ASSERT_FALSE(Church().Step(state, all));
    FollowView(view, state, Church().Level(), 0);
}

// Within the inner faces of the church's walls in plan (as tests/e2e/stay_inside.sh has them).
bool InsideChurch(Vector3 p) {
    if (!(p.z > -1085 && p.z < 170)) {
        return false;
    }
    if (p.z > -445) {                   // nave and aisles
        return p.x > -300 && p.x < 260; // the aisles' walls, less the depth of a window's recess
    }
    if (p.z >= -470 || (p.z >= -885 && p.z <= -864.6f)) { // the archway in the screen, the doorway
        return p.x > -110 && p.x < 70;
    }
    return p.x > -202 && p.x < 162; // choir and sanctuary, less a recess too
}

// True when point projects inside the picture of a 45-degree, 4:3 view from eye towards target.
bool InPicture(Vector3 eye, Vector3 target, Vector3 point) {
    const Vector3 forward = Normalized(target - eye);
    const Vector3 right = Normalized(CrossProduct(forward, Vector3(0, 1, 0)));
    const Vector3 up = CrossProduct(right, forward);
    const Vector3 d = point - eye;
    const float depth = DotProduct(d, forward);
    const float halfHeight = 0.41421356f; // tan 22.5 degrees
    return depth > 0.0f && std::fabs(DotProduct(d, right)) < depth * halfHeight * 4.0f / 3.0f &&
           std::fabs(DotProduct(d, up)) < depth * halfHeight;
}

// Random walks of players players for 5,000 frames, every slot's view followed every frame: each
// drawn eye inside the church's walls, nothing between it and the point it looks at, and its
// penguin in the picture.
void CheckRandomWalk(int players, std::uint32_t seed) {
    SimState state = StartState(players);
    DrawnView views[kMaxPlayers];
    static const KeyMask choices[] = {keybit::kW,
                                      keybit::kW,
                                      keybit::kS,
                                      keybit::kA,
                                      keybit::kD,
                                      keybit::kW | keybit::kLeft,
                                      keybit::kS | keybit::kRight,
                                      keybit::kW | keybit::kSpace,
                                      keybit::kS | keybit::kSpace,
                                      keybit::kLeft,
                                      keybit::kF};
    testing_tools::RandomKeys random(seed, choices);
    KeyMask keys[kMaxPlayers] = {};
    for (int frame = 0; frame < 5000; ++frame) {
        for (int slot = 0; slot < players; ++slot) {
            if (frame % 12 == 0) {
                keys[slot] = random.Next();
            }
        }
        ASSERT_FALSE(Church().Step(state, keys));
        for (int slot = 0; slot < players; ++slot) {
            DrawnView& view = views[slot];
            FollowView(view, state, Church().Level(), slot);
            const Player& player = state.players[slot];
            ASSERT_TRUE(InsideChurch(view.eye))
                << players << " players, slot " << slot << " frame " << frame << ": eye " << view.eye.x
                << ", " << view.eye.y << ", " << view.eye.z;
            ASSERT_GT(Church().octree.FirstFaceOnSegment(view.target, view.eye, Church().model), 1.0)
                << players << " players, slot " << slot << " frame " << frame;
            ASSERT_TRUE(InPicture(view.eye, view.target, player.penguin))
                << players << " players, slot " << slot << " frame " << frame;
        }
    }
}

} // namespace

// Fractions along a segment: a triangle met from either side, missed, or lying along it; a box
// entered, missed, or started in.
TEST(DrawnView, SegmentHitsGiveTheFractionOfTheFirstMeeting) {
    const Vector3 wall[3] = {Vector3(-10, -10, 5), Vector3(10, -10, 5), Vector3(0, 10, 5)};
    EXPECT_DOUBLE_EQ(SegmentTriangleHit(Vector3(0, 0, 0), Vector3(0, 0, 20), wall), 0.25);
    EXPECT_DOUBLE_EQ(SegmentTriangleHit(Vector3(0, 0, 20), Vector3(0, 0, 0), wall), 0.75);
    EXPECT_EQ(SegmentTriangleHit(Vector3(0, 0, 0), Vector3(0, 0, 4), wall), kNoHit);    // short of it
    EXPECT_EQ(SegmentTriangleHit(Vector3(9, 9, 0), Vector3(9, 9, 20), wall), kNoHit);   // beside it
    EXPECT_EQ(SegmentTriangleHit(Vector3(0, -20, 5), Vector3(0, 20, 5), wall), kNoHit); // in its plane
    const Vector3 low(-5, -5, 10);
    const Vector3 size(10, 10, 4);
    EXPECT_DOUBLE_EQ(SegmentBoxHit(Vector3(0, 0, 0), Vector3(0, 0, 20), low, size), 0.5);
    EXPECT_DOUBLE_EQ(SegmentBoxHit(Vector3(0, 0, 20), Vector3(0, 0, 0), low, size), 0.3);
    EXPECT_EQ(SegmentBoxHit(Vector3(6, 0, 0), Vector3(6, 0, 20), low, size), kNoHit);
    EXPECT_EQ(SegmentBoxHit(Vector3(0, 0, 12), Vector3(0, 0, 40), low, size), kNoHit);
}

// The octree's answer is the nearest meeting over every face of the church, on segments from the
// nave in every direction.
TEST(DrawnView, FirstFaceOnSegmentIsTheNearestOfAllFaces) {
    const Model& model = Church().model;
    std::uint32_t seed = 7;
    const auto next = [&seed](float range) {
        seed = seed * 1664525u + 1013904223u;
        return (static_cast<float>(seed >> 8) / 16777216.0f - 0.5f) * range;
    };
    for (int i = 0; i < 300; ++i) {
        const Vector3 from(next(400), next(60), 40 + next(800));
        const Vector3 to = from + Vector3(next(300), next(100), next(300));
        double nearest = kNoHit;
        for (const MeshObject& object : model.objects) {
            for (const Face& face : object.faces) {
                const Vector3 triangle[3] = {object.vertices[face.vertexIndex[0]],
                                             object.vertices[face.vertexIndex[1]],
                                             object.vertices[face.vertexIndex[2]]};
                nearest = std::min(nearest, SegmentTriangleHit(from, to, triangle));
            }
        }
        EXPECT_EQ(Church().octree.FirstFaceOnSegment(from, to, model), nearest) << i;
    }
}

// Backing into the west wall (the rules' eye then stands outside it): the drawn eye is pulled in at
// once, lifted to look down on the penguin, stays inside and clear of the wall; turning round, it
// eases back out to the rules' eye over several frames, never jumping.
TEST(DrawnView, BackingIntoAWallPullsTheEyeInThenEasesItOut) {
    ASSERT_TRUE(Church().loaded);
    SimState state = StartState(1);
    DrawnView view;
    for (int frame = 0; frame < 30; ++frame) {
        StepAndFollow(state, view, keybit::kS);
    }
    const Camera& rules = state.players[0].camera;
    ASSERT_GT(rules.position.z, 170.0f); // the rules' eye is outside the west wall
    EXPECT_LT(view.eye.z, 170.0f - kEyeClearance);
    EXPECT_GE(PointDistance(view.eye, view.target), 26.0f); // above the penguin, not inside it
    EXPECT_GT(view.eye.y, rules.position.y);
    int easing = 0;
    Vector3 last = view.eye;
    while (PointDistance(view.eye, rules.position) > 0.0f) {
        StepAndFollow(state, view, keybit::kLeft);
        ASSERT_LE(PointDistance(view.eye, last), 16.0f) << easing;
        last = view.eye;
        ASSERT_LT(++easing, 45);
    }
    EXPECT_GE(easing, 8) << "turning until the line is clear, then easing out over several frames";
}

// Holding W into the second door: the rules' camera stops at the door and rebounds by 21.5 units
// every few frames; the drawn eye moves less than half of that, never more than 8 units a frame,
// and the view point it looks at is the rules' own.
TEST(DrawnView, TheViewHoldsStillWhileThePenguinRebounds) {
    SimState state = StartState(1);
    DrawnView view;
    for (int frame = 0; frame < 70; ++frame) {
        StepAndFollow(state, view, keybit::kW);
    }
    float rulesLow = 1e9f, rulesHigh = -1e9f, drawnLow = 1e9f, drawnHigh = -1e9f;
    Vector3 before = view.eye;
    for (int frame = 0; frame < 60; ++frame) {
        StepAndFollow(state, view, keybit::kW);
        const Camera& rules = state.players[0].camera;
        rulesLow = std::min(rulesLow, rules.position.z);
        rulesHigh = std::max(rulesHigh, rules.position.z);
        drawnLow = std::min(drawnLow, view.eye.z);
        drawnHigh = std::max(drawnHigh, view.eye.z);
        EXPECT_LE(PointDistance(view.eye, before), 8.0f) << frame;
        EXPECT_EQ(view.target.z, rules.viewPoint.z);
        before = view.eye;
    }
    EXPECT_GT(rulesHigh - rulesLow, 20.0f);
    EXPECT_LT(drawnHigh - drawnLow, (rulesHigh - rulesLow) / 2.0f);
}

TEST(DrawnView, RandomWalkOfOnePlayerKeepsTheEyeInsideAndThePenguinInView) {
    CheckRandomWalk(1, 2024);
}

TEST(DrawnView, RandomWalksOfFourPlayersKeepEveryEyeInsideAndEveryPenguinInView) {
    CheckRandomWalk(4, 4242);
}
