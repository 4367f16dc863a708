// Per-test costs of the collision and culling primitives, for comparison with the octree queries
// built on them.
#include "geometry/Collision.hpp"
#include "geometry/Frustum.hpp"
#include "model/ModelObject.hpp"

#include <benchmark/benchmark.h>

namespace {

constexpr Vector3 kTriangle[3] = {{0, 0, 0}, {0, 0, -10}, {10, 0, 0}};
constexpr float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr float kPerspective[16] = {1.81066f, 0, 0,          0,  0, 2.41421f, 0,          0,
                                    0,        0, -1.002002f, -1, 0, 0,        -2.002002f, 0};

// The penguin's sphere of radius 15 at centre, against the triangle.
void Triangle(benchmark::State& state, Vector3 centre) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(centre);
        benchmark::DoNotOptimize(SphereTouchesPolygon(kTriangle, centre, 3, kCollisionRadius));
    }
}

void BM_SphereTouchesTriangle_ContactInside(benchmark::State& state) {
    Triangle(state, Vector3(2, 5, -2));
}
void BM_SphereTouchesTriangle_ContactAtEdge(benchmark::State& state) {
    Triangle(state, Vector3(-5, 3, -5));
}
// Crosses the plane but touches neither the inside nor an edge: the full angle sum and edge walk.
void BM_SphereTouchesTriangle_NoContactNearPlane(benchmark::State& state) {
    Triangle(state, Vector3(-40, 3, -5));
}
// Rejected by the plane classification before any per-edge work.
void BM_SphereTouchesTriangle_NoContactFarFromPlane(benchmark::State& state) {
    Triangle(state, Vector3(2, 40, -2));
}

void BM_SphereOverlapsCube(benchmark::State& state) {
    Vector3 centre(25, 3, -4);
    for (auto _ : state) {
        benchmark::DoNotOptimize(centre);
        benchmark::DoNotOptimize(SphereOverlapsCube(centre, kCollisionRadius, 0, 0, 0, 10));
    }
}

void CubeVisible(benchmark::State& state, float x, float y, float z, float size) {
    Frustum frustum;
    float modelview[16];
    for (int i = 0; i < 16; ++i) {
        modelview[i] = kIdentity[i];
    }
    modelview[14] = -40; // the eye 40 units back along z
    frustum.PlanesFromMatrices(kPerspective, modelview);
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(frustum.CubeVisible(x, y, z, size));
    }
}

void BM_CubeVisible_Inside(benchmark::State& state) {
    CubeVisible(state, 0, 0, -100, 10);
}
// Behind the eye: rejected by the first plane, after trying all eight of its corners.
void BM_CubeVisible_Behind(benchmark::State& state) {
    CubeVisible(state, 0, 0, 200, 10);
}

} // namespace

BENCHMARK(BM_SphereTouchesTriangle_ContactInside);
BENCHMARK(BM_SphereTouchesTriangle_ContactAtEdge);
BENCHMARK(BM_SphereTouchesTriangle_NoContactNearPlane);
BENCHMARK(BM_SphereTouchesTriangle_NoContactFarFromPlane);
BENCHMARK(BM_SphereOverlapsCube);
BENCHMARK(BM_CubeVisible_Inside);
BENCHMARK(BM_CubeVisible_Behind);

BENCHMARK_MAIN();
