#include "geometry/Frustum.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// A 90-degree square perspective, near 1 and far 100, column-major as GL stores it.
constexpr float kPerspective[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -101.0f / 99.0f, -1, 0, 0, -200.0f / 99.0f,
                                    0};

float SignedDistance(const Frustum& frustum, int plane, float x, float y, float z) {
    const float* p = frustum.planes[plane];
    return p[0] * x + p[1] * y + p[2] * z + p[3];
}

} // namespace

TEST(Frustum, IdentityMatricesGiveTheUnitCubeInPlaneOrder) {
    Frustum frustum;
    frustum.PlanesFromMatrices(kIdentity, kIdentity);
    const float expected[6][4] = {
        {-1, 0, 0, 1}, // right, x = 1
        {1, 0, 0, 1},  // left, x = -1
        {0, 1, 0, 1},  // bottom, y = -1
        {0, -1, 0, 1}, // top, y = 1
        {0, 0, -1, 1}, // far, z = 1
        {0, 0, 1, 1},  // near, z = -1
    };
    for (int p = 0; p < 6; ++p) {
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(frustum.planes[p][k], expected[p][k]) << "plane " << p << " element " << k;
        }
    }
    EXPECT_TRUE(frustum.CubeVisible(0, 0, 0, 0.5f));
    EXPECT_FALSE(frustum.CubeVisible(3, 0, 0, 0.5f));
    // Touching x = 1 with a face only: the nearest corners lie on the plane and count as outside.
    EXPECT_FALSE(frustum.CubeVisible(1.5f, 0, 0, 0.5f));
    EXPECT_TRUE(frustum.CubeVisible(1.49f, 0, 0, 0.5f));
    // A cube holding the whole volume is visible.
    EXPECT_TRUE(frustum.CubeVisible(0, 0, 0, 10));
}

TEST(Frustum, PlanesAreUnitAndMeasureWorldDistances) {
    Frustum frustum;
    frustum.PlanesFromMatrices(kPerspective, kIdentity);
    for (int p = 0; p < 6; ++p) {
        const float* plane = frustum.planes[p];
        EXPECT_NEAR(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2], 1.0f, 1e-6f) << p;
    }
    EXPECT_NEAR(SignedDistance(frustum, Frustum::Near, 0, 0, -10), 9.0f, 1e-4f);
    EXPECT_NEAR(SignedDistance(frustum, Frustum::Far, 0, 0, -10), 90.0f, 1e-3f);
    EXPECT_NEAR(SignedDistance(frustum, Frustum::Right, 0, 0, -10), 10.0f / std::sqrt(2.0f), 1e-4f);

    EXPECT_TRUE(frustum.CubeVisible(0, 0, -10, 1));
    EXPECT_FALSE(frustum.CubeVisible(0, 0, 10, 1));    // behind the eye
    EXPECT_FALSE(frustum.CubeVisible(0, 0, -200, 10)); // beyond the far plane
    EXPECT_FALSE(frustum.CubeVisible(-50, 0, -10, 5)); // off to the left

    // Diagonally beyond the edge where the right and far planes meet: every point of the cube is
    // outside, yet each plane has a corner inside it, so the test keeps the cube.
    EXPECT_TRUE(frustum.CubeVisible(112, 0, -110, 11));
}

TEST(Frustum, ModelviewMovesThePlanesWithTheEye) {
    // The eye moved to z = 40 (the modelview translates the world by -40 along z).
    float modelview[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -40, 1};
    Frustum frustum;
    frustum.PlanesFromMatrices(kPerspective, modelview);
    EXPECT_NEAR(SignedDistance(frustum, Frustum::Near, 0, 0, 0), 39.0f, 1e-3f);
    EXPECT_TRUE(frustum.CubeVisible(0, 0, 0, 1));
    EXPECT_FALSE(frustum.CubeVisible(0, 0, 45, 1));
}

TEST(Frustum, ZeroPlanesRejectEveryCube) {
    Frustum frustum{};
    EXPECT_FALSE(frustum.CubeVisible(0, 0, 0, 1000));
}
