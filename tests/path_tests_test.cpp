#include "geometry/PathTests.hpp"

#include <gtest/gtest.h>

namespace {

// A wall face in the plane x = 0, spanning z 0 .. 10 and y 0 .. 10 as two triangles.
const Vector3 kLower[3] = {{0, 0, 0}, {0, 0, 10}, {0, 10, 0}};
const Vector3 kUpper[3] = {{0, 10, 10}, {0, 10, 0}, {0, 0, 10}};

} // namespace

TEST(PathTests, PathCrossesTriangleWhenItReachesOrPassesThePlaneInsideTheFace) {
    EXPECT_TRUE(PathCrossesTriangle({-3, 2, 2}, {4, 2, 2}, kLower));    // through
    EXPECT_TRUE(PathCrossesTriangle({3, 2, 2}, {0, 2, 2}, kLower));     // ending on the face
    EXPECT_FALSE(PathCrossesTriangle({3, 2, 2}, {0.5f, 2, 2}, kLower)); // short of it
    EXPECT_FALSE(PathCrossesTriangle({0, 2, 2}, {3, 2, 2}, kLower));    // leaving from the plane
    EXPECT_FALSE(PathCrossesTriangle({-3, 8, 8}, {4, 8, 8}, kLower));   // beside it, in the other half
    EXPECT_TRUE(PathCrossesTriangle({-3, 8, 8}, {4, 8, 8}, kUpper));
    // Through the diagonal the two halves share: at least one of them is met.
    EXPECT_TRUE(PathCrossesTriangle({-3, 5, 5}, {4, 5, 5}, kLower) ||
                PathCrossesTriangle({-3, 5, 5}, {4, 5, 5}, kUpper));
    const Vector3 flat[3] = {{0, 0, 0}, {0, 0, 10}, {0, 0, 20}};
    EXPECT_FALSE(PathCrossesTriangle({-3, 0, 5}, {4, 0, 5}, flat)); // degenerate: no plane
}

TEST(PathTests, PathEntersBoxOnlyFromOutside) {
    const Vector3 low(-110, -40, -870);
    const Vector3 size(180, 80, 5);
    EXPECT_TRUE(PathEntersBox({0, 0, -850}, {0, 0, -880}, low, size));               // through the door
    EXPECT_TRUE(PathEntersBox({0, 0, -850}, {0, 0, -865}, low, size));               // onto its face
    EXPECT_FALSE(PathEntersBox({0, 0, -850}, {0, 0, -864}, low, size));              // short of it
    EXPECT_FALSE(PathEntersBox({0, 0, -850}, {0, 0, -880}, {-110, 15, -870}, size)); // under a risen door
    EXPECT_FALSE(PathEntersBox({0, 0, -867}, {0, 0, -845}, low, size));       // out from under a closed one
    EXPECT_FALSE(PathEntersBox({-200, 0, -850}, {-200, 0, -880}, low, size)); // beside it
}

TEST(PathTests, SphereTouchesBoxIncludingExactTouch) {
    const Vector3 low(-110, -40, -870);
    const Vector3 size(180, 80, 5);
    EXPECT_TRUE(SphereTouchesBox({0, 0, -850}, 15, low, size)); // exactly 15 from the face
    EXPECT_FALSE(SphereTouchesBox({0, 0, -849}, 15, low, size));
    EXPECT_TRUE(SphereTouchesBox({0, 0, -867}, 15, low, size));                  // inside
    EXPECT_FALSE(SphereTouchesBox({0, 0, -867}, 15, {-110, 15.5f, -870}, size)); // risen above the sphere
}
