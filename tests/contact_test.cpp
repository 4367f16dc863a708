// Distances and headings between a sphere's centre and faces, boxes and points, and the sinking rule.
#include "geometry/Contact.hpp"

#include <gtest/gtest.h>

#include <cmath>

// The triangle (0,0,0), (0,0,-10), (10,0,0) in the plane y = 0: from above its inside, beside an
// edge, beyond a corner; a degenerate one is its longest edge. A move heads into the face only when
// it shortens the way to the nearest point, not along the face.
TEST(Contact, TriangleDistanceAndHeading) {
    const Vector3 t[3] = {Vector3(0, 0, 0), Vector3(0, 0, -10), Vector3(10, 0, 0)};
    EXPECT_DOUBLE_EQ(TriangleDistance(Vector3(2, 5, -2), t), 5.0);
    EXPECT_DOUBLE_EQ(TriangleDistance(Vector3(-5, 3, -5), t), std::sqrt(34.0));
    EXPECT_DOUBLE_EQ(TriangleDistance(Vector3(-3, 0, 4), t), 5.0);
    EXPECT_DOUBLE_EQ(TriangleDistance(Vector3(8, 0, -8), t), std::sqrt(18.0)); // beyond the long edge
    const Vector3 line[3] = {Vector3(0, 0, 0), Vector3(5, 0, 0), Vector3(10, 0, 0)};
    EXPECT_DOUBLE_EQ(TriangleDistance(Vector3(12, 0, 0), line), 2.0);

    EXPECT_TRUE(MoveHeadsIntoTriangle(Vector3(2, 5, -2), Vector3(0, -1, 0), t));
    EXPECT_FALSE(MoveHeadsIntoTriangle(Vector3(2, 5, -2), Vector3(1, 0, 0), t));
    EXPECT_FALSE(MoveHeadsIntoTriangle(Vector3(2, 5, -2), Vector3(0, 1, 0), t));
    EXPECT_TRUE(MoveHeadsIntoTriangle(Vector3(-5, 3, -5), Vector3(1, 0, 0), t));
}

// A box's distance is 0 inside, and from inside every move heads into it; a point is headed into
// when the move has any component towards it.
TEST(Contact, BoxAndPointDistanceAndHeading) {
    const Vector3 low(0, 0, 0), size(10, 10, 10);
    EXPECT_DOUBLE_EQ(BoxDistance(Vector3(13, 14, 5), low, size), 5.0);
    EXPECT_DOUBLE_EQ(BoxDistance(Vector3(5, 5, 5), low, size), 0.0);
    EXPECT_TRUE(MoveHeadsIntoBox(Vector3(5, 5, 5), Vector3(1, 0, 0), low, size));
    EXPECT_TRUE(MoveHeadsIntoBox(Vector3(15, 5, 5), Vector3(-1, 0, 3), low, size));
    EXPECT_FALSE(MoveHeadsIntoBox(Vector3(15, 5, 5), Vector3(0, 0, 1), low, size));
    EXPECT_TRUE(MoveHeadsIntoPoint(Vector3(0, 0, 0), Vector3(1, 0, 1), Vector3(30, 0, 0)));
    EXPECT_FALSE(MoveHeadsIntoPoint(Vector3(0, 0, 0), Vector3(-1, 0, 1), Vector3(30, 0, 0)));
}

// A sphere that began clear may end at most the tolerance inside; one that began inside may end at
// most the tolerance deeper than it began; moving out is always allowed.
TEST(Contact, SinkingDeeperThanTheToleranceOnly) {
    EXPECT_FALSE(SinksDeeper(40.0, 15.0 - kSinkTolerance / 2, 15.0f));
    EXPECT_TRUE(SinksDeeper(40.0, 15.0 - 2 * kSinkTolerance, 15.0f));
    EXPECT_FALSE(SinksDeeper(10.0, 10.0 - kSinkTolerance / 2, 15.0f));
    EXPECT_TRUE(SinksDeeper(10.0, 10.0 - 2 * kSinkTolerance, 15.0f));
    EXPECT_FALSE(SinksDeeper(5.0, 12.0, 15.0f));
}
