#include "geometry/Camera.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

Camera StartPose() {
    Camera camera;
    camera.SetPose(0, 10, 40, 0, 0, -3, 0, 1, 0);
    return camera;
}

float HorizontalDistance(const Camera& camera) {
    const float dx = camera.viewPoint.x - camera.position.x;
    const float dz = camera.viewPoint.z - camera.position.z;
    return std::sqrt(dx * dx + dz * dz);
}

void ExpectSame(Vector3 a, Vector3 b) {
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
}

void ExpectNear(Vector3 a, Vector3 b, float tolerance) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

} // namespace

TEST(Camera, AdvanceAndSidestepMoveBothPointsOverTheGround) {
    Camera camera = StartPose();
    camera.Advance(0.3f);
    const float step = -43.0f * 0.3f; // about -12.9
    ExpectSame(camera.position, Vector3(0, 10, 40 + step));
    ExpectSame(camera.viewPoint, Vector3(0, 0, -3 + step));

    camera = StartPose();
    camera.Advance(0.0f);
    camera.RefreshStrafe();
    camera.Sidestep(0.0f);
    ExpectSame(camera.position, Vector3(0, 10, 40));
    ExpectSame(camera.viewPoint, Vector3(0, 0, -3));

    camera.Sidestep(5.0f);
    ExpectSame(camera.position, Vector3(5, 10, 40));
    ExpectSame(camera.viewPoint, Vector3(5, 0, -3));

    camera = StartPose();
    camera.Advance(0.5f);
    camera.Advance(-0.5f);
    ExpectNear(camera.position, Vector3(0, 10, 40), 1e-4f);
    ExpectNear(camera.viewPoint, Vector3(0, 0, -3), 1e-4f);
}

TEST(Camera, SidestepBeforeTheFirstRefreshMovesNothing) {
    Camera camera = StartPose();
    camera.Sidestep(5.0f);
    camera.Sidestep(-12.5f);
    ExpectSame(camera.position, Vector3(0, 10, 40));
    ExpectSame(camera.viewPoint, Vector3(0, 0, -3));
}

TEST(Camera, OrbitTurnsTheEyeAroundTheViewPoint) {
    Camera camera = StartPose();
    camera.OrbitAround(camera.viewPoint, 0.1f, 0, 1, 0);
    ExpectNear(camera.position, Vector3(43 * std::sin(0.1f), 10, -3 + 43 * std::cos(0.1f)), 1e-4f);
    ExpectSame(camera.viewPoint, Vector3(0, 0, -3));

    // Left and right in the same frame cancel up to rounding.
    camera.OrbitAround(camera.viewPoint, -0.1f, 0, 1, 0);
    ExpectNear(camera.position, Vector3(0, 10, 40), 1e-4f);

    camera = StartPose();
    camera.OrbitAround(camera.viewPoint, 0.0f, 0, 1, 0);
    ExpectSame(camera.position, Vector3(0, 10, 40));
    camera.OrbitAround(camera.viewPoint, static_cast<float>(2 * M_PI), 0, 1, 0);
    ExpectNear(camera.position, Vector3(0, 10, 40), 1e-4f);
    ExpectSame(camera.viewPoint, Vector3(0, 0, -3));
    ExpectSame(camera.up, Vector3(0, 1, 0));
}

TEST(Camera, OrbitAboutAnyAxisIsARightHandedRotation) {
    Camera camera;
    camera.SetPose(0, 0, 1, 0, 0, 0, 0, 1, 0);
    camera.OrbitAround(Vector3(0, 0, 0), static_cast<float>(M_PI / 2), 1, 0, 0);
    ExpectNear(camera.position, Vector3(0, -1, 0), 1e-6f);
    camera.SetPose(1, 0, 0, 0, 0, 0, 0, 1, 0);
    camera.OrbitAround(Vector3(0, 0, 0), static_cast<float>(M_PI / 2), 0, 0, 1);
    ExpectNear(camera.position, Vector3(0, 1, 0), 1e-6f);

    // An oblique unit axis and an off-origin centre, against Rodrigues' formula in double.
    const double n[3] = {2.0 / 3.0, -1.0 / 3.0, 2.0 / 3.0};
    const double v[3] = {3.0, 4.0, -5.0};
    const double angle = 0.7;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double dot = n[0] * v[0] + n[1] * v[1] + n[2] * v[2];
    const double cross[3] = {n[1] * v[2] - n[2] * v[1], n[2] * v[0] - n[0] * v[2], n[0] * v[1] - n[1] * v[0]};
    double expected[3];
    for (int i = 0; i < 3; ++i) {
        expected[i] = v[i] * c + cross[i] * s + n[i] * dot * (1 - c);
    }
    const Vector3 centre(10, 20, 30);
    camera.SetPose(13, 24, 25, 10, 20, 30, 0, 1, 0);
    camera.OrbitAround(centre, static_cast<float>(angle), static_cast<float>(n[0]), static_cast<float>(n[1]),
                       static_cast<float>(n[2]));
    ExpectNear(camera.position, Vector3(10 + expected[0], 20 + expected[1], 30 + expected[2]), 1e-4f);
}

TEST(Camera, LongRandomWalkKeepsHeightsAndHorizontalDistance) {
    Camera camera = StartPose();
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> pick(0, 7);
    const float moves[4] = {0.3f, -0.3f, -0.5f, 0.5f};
    const float steps[4] = {-5.0f, 5.0f, 12.5f, -12.5f};
    for (int frame = 0; frame < 20000; ++frame) {
        const int choice = pick(random);
        if (choice < 2) {
            camera.OrbitAround(camera.viewPoint, choice == 0 ? 0.1f : -0.1f, 0, 1, 0);
        } else if (choice < 5) {
            camera.Advance(moves[pick(random) % 4]);
        } else {
            camera.Sidestep(steps[pick(random) % 4]);
        }
        camera.RefreshStrafe();
        ASSERT_EQ(camera.position.y, 10.0f) << "frame " << frame;
        ASSERT_EQ(camera.viewPoint.y, 0.0f) << "frame " << frame;
    }
    EXPECT_NEAR(HorizontalDistance(camera), 43.0f, 0.05f);
    EXPECT_NEAR(std::sqrt(camera.strafe.x * camera.strafe.x + camera.strafe.z * camera.strafe.z), 1.0f,
                1e-5f);
    EXPECT_EQ(camera.strafe.y, 0.0f);
}
