// Two to four players in one church, through the rules alone.
#include "geometry/Vector3.hpp"
#include "helpers/ChurchRules.hpp"
#include "helpers/RandomWalk.hpp"
#include "play/Roster.hpp"
#include "play/SolidBlocks.hpp"
#include "play/StateCodec.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using testing_tools::Church;
using testing_tools::StartState;
constexpr float kRadius = kCollisionRadius;

// Puts slot's player with its view point (and penguin) at (x, z), looking along (dx, dz) from 43 away.
void Pose(SimState& state, int slot, float x, float z, float dx, float dz) {
    Player& player = state.players[slot];
    player.camera.SetPose(x - 43 * dx, 10, z - 43 * dz, x, 0, z, 0, 1, 0);
    player.camera.RefreshStrafe();
    player.penguin = Vector3(x, 0, z);
}

float Distance(const Player& a, const Player& b) {
    return PointDistance(a.penguin, b.penguin);
}

// Steps frames frames with the same keys, checking every frame that no penguin centre came into
// another's sphere further than a frame's jump step allows.
void StepAll(SimState& state, const KeyMask keys[kMaxPlayers], int frames) {
    for (int frame = 0; frame < frames; ++frame) {
        ASSERT_FALSE(Church().Step(state, keys));
        for (int a = 0; a < kMaxPlayers; ++a) {
            for (int b = a + 1; b < kMaxPlayers; ++b) {
                if (state.players[a].present && state.players[b].present) {
                    ASSERT_GE(Distance(state.players[a], state.players[b]), kRadius - 2.0f)
                        << "slots " << a << " and " << b << " at frame " << state.frame;
                }
            }
        }
    }
}

} // namespace

// Slots 1 to 3 start beside slot 0, at the game's start, all facing down the nave, none touching.
TEST(Players, StartSideBySideAndJoinNeverInsideAnother) {
    SimState state = StartState(4);
    EXPECT_EQ(state.players[0].camera.position.z, 40.0f);
    EXPECT_EQ(state.players[0].camera.viewPoint.z, -3.0f);
    for (int slot = 1; slot < 4; ++slot) {
        EXPECT_EQ(state.players[slot].camera.viewPoint.z, -3.0f);
        EXPECT_GT(Distance(state.players[slot], state.players[0]), 2 * kRadius);
    }
    // Slot 2 leaves and comes back while slot 1 stands on its spot: it takes another.
    EXPECT_TRUE(RemovePlayer(state, 2));
    EXPECT_FALSE(RemovePlayer(state, 2));
    state.players[1].penguin = Vector3(-40, 0, 0);
    ASSERT_TRUE(AddPlayer(state, Church().Level(), 2));
    EXPECT_GT(Distance(state.players[2], state.players[1]), 2 * kRadius);
    EXPECT_FALSE(AddPlayer(state, Church().Level(), 2));
    EXPECT_FALSE(AddPlayer(state, Church().Level(), 4));
}

// A replayed roster follows a slot through several stays, as a networked game gives a slot a leaver
// freed to the next newcomer.
TEST(Players, RosterTakesALeftSlotAgain) {
    Roster roster;
    roster.players = 2;
    roster.joinFrames[1] = {5, 1};
    roster.leaveFrames[1] = {3};
    SimState state = EmptyState();
    const KeyMask keys[kMaxPlayers] = {};
    std::string present;
    for (int frame = 0; frame < 7; ++frame) {
        JoinAndLeave(state, Church().Level(), roster);
        present += state.players[1].present ? '1' : '.';
        ASSERT_FALSE(Church().Step(state, keys));
    }
    EXPECT_EQ(present, ".11..11");
    EXPECT_TRUE(state.players[0].present);
}

// F by the switch raises the second door whoever holds it.
TEST(Players, ASlotOtherThanZeroOpensTheDoor) {
    SimState state = StartState(3);
    Pose(state, 2, 0, -830, 0, -1);
    const KeyMask keys[kMaxPlayers] = {0, 0, keybit::kF, 0};
    StepAll(state, keys, 2);
    EXPECT_TRUE(state.secondDoor.moving);
    EXPECT_GT(state.secondDoor.current.y, -40.0f);
}

// Head-on, side-on and jumping: penguins walking into each other rebound like from a wall, never
// pass through each other, and can walk apart again.
TEST(Players, PenguinsAreSolidToEachOther) {
    struct Case {
        const char* name;
        KeyMask first, second;
        float secondX, secondZ, secondDx, secondDz;
    } cases[] = {
        {"head-on", keybit::kW, keybit::kW, 0, -200, 0, 1},
        {"side-on", keybit::kD, 0, 60, -20, 0, -1},
        {"jumping", keybit::kW | keybit::kSpace, keybit::kW | keybit::kSpace, 0, -200, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimState state = StartState(2);
        Pose(state, 0, 0, -20, 0, -1);
        Pose(state, 1, c.secondX, c.secondZ, c.secondDx, c.secondDz);
        const KeyMask keys[kMaxPlayers] = {c.first, c.second, 0, 0};
        bool touched = false;
        for (int frame = 0; frame < 60; ++frame) {
            StepAll(state, keys, 1);
            touched = touched || state.players[0].collided;
            EXPECT_EQ(state.players[0].collided, state.players[1].collided);
        }
        EXPECT_TRUE(touched);
        // Turned round, they walk apart.
        const KeyMask apart[kMaxPlayers] = {keybit::kS, keybit::kS, 0, 0};
        StepAll(state, apart, 30);
        EXPECT_GT(Distance(state.players[0], state.players[1]), 2 * kRadius);
    }
}

// A penguin against the west wall with another walking into it: neither goes through the wall, and
// the pinned one gets out by stepping along it, whichever way, while the other keeps pushing.
TEST(Players, PinnedAgainstAWallByAnotherStaysInsideAndGetsOut) {
    SimState state = StartState(2);
    Pose(state, 0, 0, 140, 0, 1); // the west wall's inner face is at z = 170
    Pose(state, 1, 0, 80, 0, 1);
    const KeyMask push[kMaxPlayers] = {keybit::kW, keybit::kW, 0, 0};
    for (int frame = 0; frame < 120; ++frame) {
        StepAll(state, push, 1);
        ASSERT_LT(state.players[0].penguin.z, 170.0f);
        ASSERT_LT(state.players[1].penguin.z, state.players[0].penguin.z);
    }
    // With the other still pushing, either step along the wall gets the pinned one out.
    for (const KeyMask along : {keybit::kA, keybit::kD}) {
        SimState pinned = state;
        const float x = pinned.players[0].penguin.x;
        const KeyMask out[kMaxPlayers] = {along, keybit::kW, 0, 0};
        StepAll(pinned, out, 20);
        EXPECT_GT(std::fabs(pinned.players[0].penguin.x - x), 2 * kRadius) << along;
    }
}

// One penguin waits in the doorway while another opens the door by the switch: once the door has
// risen clear, it comes down only to just above the penguin and waits there, never touching it, until
// it walks out; then the door comes down the rest of the way, to exactly its start height.
TEST(Players, ADoorClosingOnAPenguinWaitsUntilItWalksOut) {
    SimState state = StartState(2);
    Pose(state, 0, -20, -866, 0, -1);
    Pose(state, 1, -140, -830, 0, -1);
    const KeyMask open[kMaxPlayers] = {0, keybit::kF, 0, 0};
    StepAll(state, open, 1);
    ASSERT_TRUE(state.secondDoor.moving);
    const KeyMask none[kMaxPlayers] = {};
    StepAll(state, none, 80);
    for (int frame = 0; frame < 320; ++frame) {
        StepAll(state, none, 1);
        ASSERT_FALSE(
            SphereTouchesSolidBlocks(state.players[0].penguin, kRadius, state.doorSwitch, state.secondDoor));
    }
    EXPECT_GT(state.secondDoor.current.y, 14.2f); // waiting over the penguin's head
    EXPECT_LT(state.secondDoor.current.y, 15.8f);
    const KeyMask out[kMaxPlayers] = {keybit::kS, 0, 0, 0};
    StepAll(state, out, 3);
    StepAll(state, none, 80);
    EXPECT_EQ(state.secondDoor.current.y, -40.0f);
    EXPECT_GT(state.players[0].penguin.z, -850.0f);
}

// Four players walking at random for 5,000 frames: every frame each penguin is inside the church and
// no penguin centre is inside another's sphere; no penguin touching the level or another penguin
// stays put for 60 frames while its keys try both ways along an axis.
TEST(Players, FourRandomWalksStayInsideApartAndFree) {
    SimState state = StartState(4);
    testing_tools::RandomKeys random(12345);
    KeyMask keys[kMaxPlayers] = {};
    testing_tools::StuckWatch watches[kMaxPlayers];
    for (int frame = 0; frame < 5000; ++frame) {
        for (int slot = 0; slot < kMaxPlayers; ++slot) {
            if (frame % 10 == 0) {
                keys[slot] = random.Next();
            }
        }
        Vector3 before[kMaxPlayers];
        for (int slot = 0; slot < kMaxPlayers; ++slot) {
            before[slot] = state.players[slot].camera.viewPoint;
        }
        StepAll(state, keys, 1);
        for (int slot = 0; slot < kMaxPlayers; ++slot) {
            const Vector3 p = state.players[slot].penguin;
            // The walls' inner faces, less the depth of a window's recess.
            ASSERT_TRUE(p.x > -300 && p.x < 260 && p.z > -1085 && p.z < 170)
                << slot << " at " << frame << ": " << p.x << ", " << p.z;
            bool touching = state.players[slot].collided;
            for (int other = 0; other < kMaxPlayers; ++other) {
                touching = touching || (other != slot &&
                                        Distance(state.players[slot], state.players[other]) <= 2 * kRadius);
            }
            const bool moved =
                !touching || PointDistance(before[slot], state.players[slot].camera.viewPoint) > 0.0f;
            ASSERT_FALSE(watches[slot].Held(moved, keys[slot]))
                << slot << " stuck at " << frame << " at " << p.x << ", " << p.z << " collided "
                << state.players[slot].collided << " keys " << watches[slot].Tried();
        }
    }
}

// The state's bytes fit a datagram, read back to the same state and hash, and bad bytes are refused.
TEST(Players, StateEncodesDecodesAndHashes) {
    SimState state = StartState(4);
    const KeyMask keys[kMaxPlayers] = {keybit::kW, keybit::kA, keybit::kSpace, keybit::kLeft};
    StepAll(state, keys, 20);
    std::vector<std::uint8_t> bytes;
    EncodeState(state, bytes);
    EXPECT_EQ(bytes.size(), 383u); // well within a UDP datagram
    SimState read;
    ASSERT_TRUE(DecodeState(bytes.data(), bytes.size(), read));
    EXPECT_EQ(HashState(read), HashState(state));
    std::vector<std::uint8_t> again;
    EncodeState(read, again);
    EXPECT_EQ(again, bytes);
    // The same steps from the decoded state give the same state.
    StepAll(state, keys, 5);
    StepAll(read, keys, 5);
    EXPECT_EQ(HashState(read), HashState(state));

    std::vector<std::uint8_t> bad = bytes;
    bad[0] = 2; // another version
    EXPECT_FALSE(DecodeState(bad.data(), bad.size(), read));
    EXPECT_FALSE(DecodeState(bytes.data(), bytes.size() - 1, read));
    bad = bytes;
    bad[5] = 0x07; // a slot fewer than the bytes hold
    EXPECT_FALSE(DecodeState(bad.data(), bad.size(), read));
    bad = bytes;
    bad[9] = 0xFF; // the first player's eye x becomes a NaN
    bad[8] = 0xFF;
    EXPECT_FALSE(DecodeState(bad.data(), bad.size(), read));
    bad = bytes;
    bad[bytes.size() - 1] = 6; // the switch's direction
    EXPECT_FALSE(DecodeState(bad.data(), bad.size(), read));
    EXPECT_EQ(HashState(read), HashState(state)); // refused input leaves the state alone
}
