#include "geometry/Collision.hpp"

#include <gtest/gtest.h>

namespace {

// In the plane y = 0, with TriangleNormal (0, 1, 0).
constexpr Vector3 kTriangle[3] = {{0, 0, 0}, {0, 0, -10}, {10, 0, 0}};

} // namespace

TEST(Collision, ClassifySphereToPlaneCountsExactTouchingAsOutside) {
    float distance = 0;
    EXPECT_EQ(ClassifySphereToPlane(Vector3(2, 5, -2), Vector3(0, 1, 0), Vector3(0, 0, 0), 15, distance),
              Crossing);
    EXPECT_EQ(distance, 5.0f);
    EXPECT_EQ(ClassifySphereToPlane(Vector3(2, 15, -2), Vector3(0, 1, 0), Vector3(7, 0, 7), 15, distance),
              InFront);
    EXPECT_EQ(distance, 15.0f);
    EXPECT_EQ(ClassifySphereToPlane(Vector3(2, -15, -2), Vector3(0, 1, 0), Vector3(0, 0, 0), 15, distance),
              Behind);
    EXPECT_EQ(distance, -15.0f);
    EXPECT_EQ(ClassifySphereToPlane(Vector3(0, 3, 0), Vector3(0, 1, 0), Vector3(0, 1, 0), 1, distance),
              InFront);
    EXPECT_EQ(distance, 2.0f);
}

TEST(Collision, SphereAgainstTriangleWorkedExamples) {
    EXPECT_TRUE(SphereTouchesPolygon(kTriangle, Vector3(2, 5, -2), 3, 15));     // foot inside
    EXPECT_FALSE(SphereTouchesPolygon(kTriangle, Vector3(2, 15, -2), 3, 15));   // exactly radius away
    EXPECT_FALSE(SphereTouchesPolygon(kTriangle, Vector3(2, -15, -2), 3, 15));  // behind
    EXPECT_TRUE(SphereTouchesPolygon(kTriangle, Vector3(-5, 3, -5), 3, 15));    // edge at about 5.83
    EXPECT_FALSE(SphereTouchesPolygon(kTriangle, Vector3(-5, 0.5f, -5), 3, 1)); // edge at about 5.02
    // A radius of 0 is never Crossing, so it touches nothing, even at a point of the triangle.
    EXPECT_FALSE(SphereTouchesPolygon(kTriangle, Vector3(2, 0, -2), 3, 0));
    // Fewer than three vertices make no plane.
    EXPECT_FALSE(SphereTouchesPolygon(kTriangle, Vector3(2, 0, -2), 2, 15));
}

TEST(Collision, EdgesCountOnlyWhenStrictlyNearer) {
    EXPECT_TRUE(SphereTouchesEdges(Vector3(-5, 3, -5), kTriangle, 3, 15));
    EXPECT_FALSE(SphereTouchesEdges(Vector3(-5, 0.5f, -5), kTriangle, 3, 1));
    // The edge x = 0 is exactly 3 away from (-3, 0, -5).
    EXPECT_FALSE(SphereTouchesEdges(Vector3(-3, 0, -5), kTriangle, 3, 3));
    EXPECT_TRUE(SphereTouchesEdges(Vector3(-3, 0, -5), kTriangle, 3, 3.001f));
}

TEST(Collision, PointInPolygonByAngleSum) {
    EXPECT_TRUE(PointInPolygon(Vector3(10.0f / 3, 0, -10.0f / 3), kTriangle, 3)); // centroid
    EXPECT_FALSE(PointInPolygon(Vector3(100, 0, 100), kTriangle, 3));
    EXPECT_FALSE(PointInPolygon(Vector3(0, 0, -10), kTriangle, 3)); // on a vertex
    EXPECT_TRUE(PointInPolygon(Vector3(0, 0, -5), kTriangle, 3));   // on an edge
    EXPECT_FALSE(PointInPolygon(Vector3(-1, 0, -5), kTriangle, 3));

    const Vector3 square[4] = {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}};
    EXPECT_TRUE(PointInPolygon(Vector3(2, 2, 0), square, 4));
    EXPECT_TRUE(PointInPolygon(Vector3(2, 2, 0.01f), square, 4)); // slightly off the plane
    EXPECT_FALSE(PointInPolygon(Vector3(5, 2, 0), square, 4));
    EXPECT_TRUE(SphereTouchesPolygon(square, Vector3(3, 3, 1), 4, 2));
}

TEST(Collision, DegenerateTriangleRestsOnAngleSumAndEdges) {
    const Vector3 collinear[3] = {{0, 0, 0}, {5, 0, 0}, {10, 0, 0}};
    EXPECT_TRUE(SphereTouchesPolygon(collinear, Vector3(5, 1, 0), 3, 2));
    EXPECT_FALSE(SphereTouchesPolygon(collinear, Vector3(5, 3, 0), 3, 2));
}

TEST(Collision, SphereOverlapsCubeIsInclusive) {
    // Cube centred at the origin with half edge 10: faces at +-10.
    EXPECT_TRUE(SphereOverlapsCube(Vector3(1, 2, 3), 0.5f, 0, 0, 0, 10)); // centre inside
    EXPECT_TRUE(SphereOverlapsCube(Vector3(25, 0, 0), 15, 0, 0, 0, 10));  // 15 from a face
    EXPECT_FALSE(SphereOverlapsCube(Vector3(26, 0, 0), 15, 0, 0, 0, 10)); // 16 from a face
    EXPECT_TRUE(SphereOverlapsCube(Vector3(0, -25, 0), 15, 0, 0, 0, 10));
    EXPECT_FALSE(SphereOverlapsCube(Vector3(0, 0, -26), 15, 0, 0, 0, 10));
    // Beyond an edge and a corner: 3-4-5 and 2-3-6 (7) triangles.
    EXPECT_TRUE(SphereOverlapsCube(Vector3(13, 14, 0), 5, 0, 0, 0, 10));
    EXPECT_FALSE(SphereOverlapsCube(Vector3(13, 14, 0), 4.99f, 0, 0, 0, 10));
    EXPECT_TRUE(SphereOverlapsCube(Vector3(12, 13, -16), 7, 0, 0, 0, 10));
    EXPECT_FALSE(SphereOverlapsCube(Vector3(12, 13, -16), 6.99f, 0, 0, 0, 10));
    // Radius 0: only when the centre is inside or on the surface.
    EXPECT_TRUE(SphereOverlapsCube(Vector3(10, 0, 0), 0, 0, 0, 0, 10));
    EXPECT_FALSE(SphereOverlapsCube(Vector3(10.001f, 0, 0), 0, 0, 0, 0, 10));
    // An off-origin cube.
    EXPECT_TRUE(SphereOverlapsCube(Vector3(-110, -40, -450), 15, -100, -40, -450, 5));
}
