#include "geometry/Vector3.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectVector(Vector3 v, float x, float y, float z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

} // namespace

TEST(Vector3, NormalisationLeavesTheZeroVectorAlone) {
    ExpectVector(Normalized(Vector3(0, 0, 0)), 0.0f, 0.0f, 0.0f);
    ExpectVector(Normalized(Vector3(0, 3, 4)), 0.0f, 0.6f, 0.8f);
    EXPECT_EQ(Length(Vector3(0, 3, 4)), 5.0f);
    // No tolerance: a tiny but non-zero length still divides ...
    EXPECT_NEAR(Normalized(Vector3(1e-10f, 0, 0)).x, 1.0f, 1e-6f);
    // ... while one whose squares underflow to a zero length comes back unchanged.
    EXPECT_EQ(Normalized(Vector3(1e-30f, 0, 0)).x, 1e-30f);
}

TEST(Vector3, TriangleNormalFollowsTheWinding) {
    const Vector3 counterClockwise[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    ExpectVector(TriangleNormal(counterClockwise), 0.0f, 0.0f, -1.0f);
    const Vector3 clockwise[3] = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}};
    ExpectVector(TriangleNormal(clockwise), 0.0f, 0.0f, 1.0f);
    const Vector3 collinear[3] = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}};
    ExpectVector(TriangleNormal(collinear), 0.0f, 0.0f, 0.0f);
}

TEST(Vector3, AngleBetweenIsNeverNaNOrNegative) {
    EXPECT_EQ(AngleBetween(Vector3(1, 0, 0), Vector3(1, 0, 0)), 0.0);
    EXPECT_EQ(AngleBetween(Vector3(1, 0, 0), Vector3(-1, 0, 0)), M_PI);
    EXPECT_EQ(AngleBetween(Vector3(0, 0, 0), Vector3(1, 0, 0)), 0.0);
    EXPECT_EQ(AngleBetween(Vector3(0, 0, 0), Vector3(0, 0, 0)), 0.0);
    EXPECT_NEAR(AngleBetween(Vector3(1, 0, 0), Vector3(0, 2, 0)), M_PI / 2, 1e-12);
    // A vector with itself gives 0 or a tiny angle from rounding, never NaN.
    for (const Vector3 v : {Vector3(1, 2, 3), Vector3(0.1f, -7.3f, 12.9f), Vector3(1e-3f, 1e3f, 3)}) {
        const double angle = AngleBetween(v, v);
        EXPECT_GE(angle, 0.0);
        EXPECT_LT(angle, 1e-3);
        EXPECT_LE(AngleBetween(v, v * -1.0f), M_PI);
    }
}

TEST(Vector3, NearestPointOnSegmentClampsAtBothEnds) {
    const Vector3 a(0, 0, 0);
    const Vector3 b(10, 0, 0);
    ExpectVector(NearestPointOnSegment(a, b, Vector3(5, 3, 0)), 5.0f, 0.0f, 0.0f);
    ExpectVector(NearestPointOnSegment(a, b, Vector3(-2, 1, 0)), 0.0f, 0.0f, 0.0f);
    ExpectVector(NearestPointOnSegment(a, b, Vector3(12, 1, 0)), 10.0f, 0.0f, 0.0f);
    // Projecting exactly onto an end point gives that end point.
    ExpectVector(NearestPointOnSegment(a, b, Vector3(0, 4, 0)), 0.0f, 0.0f, 0.0f);
    ExpectVector(NearestPointOnSegment(a, b, Vector3(10, 4, 0)), 10.0f, 0.0f, 0.0f);
    // A zero-length segment returns its start.
    ExpectVector(NearestPointOnSegment(Vector3(1, 2, 3), Vector3(1, 2, 3), Vector3(9, 9, 9)), 1.0f, 2.0f,
                 3.0f);
}
