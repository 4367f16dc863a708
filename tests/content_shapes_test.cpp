#include "tools/content/Shapes.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Area of the part's faces whose normal points along facing.
float AreaFacing(const MeshPart& part, Vector3 facing) {
    float area = 0.0f;
    for (const auto& t : part.triangles) {
        const Vector3 n = FaceNormal(part.vertices[t[0]], part.vertices[t[1]], part.vertices[t[2]]);
        if (DotProduct(Normalized(n), facing) > 0.999f) {
            area += Length(n) * 0.5f;
        }
    }
    return area;
}

constexpr WallFrame kFrame{Vector3(0.0f, 0.0f, 0.0f), Vector3(1.0f, 0.0f, 0.0f), Vector3(0.0f, 0.0f, 1.0f),
                           10.0f};
// Made when a test runs, not during static initialisation: WallMap reads constants of another file,
// which may not be initialised yet at that time.
UvMap TestMap() {
    return WallMap(Vector3(0.0f, 0.0f, 1.0f), 50.0f, 50.0f);
}

} // namespace

TEST(ContentShapes, WallLeavesItsOpeningsOpenInCellsNoLargerThanAsked) {
    MeshPart part;
    const WallCells cells{30.0f, 20.0f, 45.0f, 40.0f};
    const UvMap map = TestMap();
    AddWall(part, kFrame, 0.0f, 100.0f, -40.0f, 100.0f, {Opening{20.0f, 40.0f, -40.0f, 30.0f}}, cells, map,
            map, map, kWallFront | kWallBack);
    const float solid = 100.0f * 140.0f - 20.0f * 70.0f;
    EXPECT_NEAR(AreaFacing(part, Vector3(0, 0, 1)), solid, 0.5f);
    EXPECT_NEAR(AreaFacing(part, Vector3(0, 0, -1)), solid, 0.5f);
    // The opening's reveals: two jambs 70 high and a lintel 20 wide, 10 deep; no sill at the floor.
    EXPECT_NEAR(AreaFacing(part, Vector3(1, 0, 0)), 700.0f, 0.1f);
    EXPECT_NEAR(AreaFacing(part, Vector3(-1, 0, 0)), 700.0f, 0.1f);
    EXPECT_NEAR(AreaFacing(part, Vector3(0, -1, 0)), 200.0f, 0.1f);
    EXPECT_EQ(AreaFacing(part, Vector3(0, 1, 0)), 0.0f);
    // A wall seen from the front only has no back face, but the same reveals.
    MeshPart front;
    AddWall(front, kFrame, 0.0f, 100.0f, -40.0f, 100.0f, {Opening{20.0f, 40.0f, -40.0f, 30.0f}}, cells, map,
            map, map, kWallFront);
    EXPECT_EQ(AreaFacing(front, Vector3(0, 0, -1)), 0.0f);
    EXPECT_NEAR(AreaFacing(front, Vector3(1, 0, 0)), 700.0f, 0.1f);
    for (const auto& t : part.triangles) {
        Vector3 lo = part.vertices[t[0]], hi = lo;
        for (int k = 1; k < 3; ++k) {
            const Vector3 v = part.vertices[t[k]];
            lo = Vector3(std::fmin(lo.x, v.x), std::fmin(lo.y, v.y), std::fmin(lo.z, v.z));
            hi = Vector3(std::fmax(hi.x, v.x), std::fmax(hi.y, v.y), std::fmax(hi.z, v.z));
        }
        const bool inOpening =
            lo.x >= 20.0f && hi.x <= 40.0f && lo.y >= -40.0f && hi.y <= 30.0f && lo.z == hi.z;
        EXPECT_FALSE(inOpening) << lo.x << " " << lo.y;
        EXPECT_LE(hi.x - lo.x, 30.0f + 1e-3f);
        EXPECT_LE(hi.y - lo.y, hi.y <= 40.0f ? 20.0f + 1e-3f : 45.0f + 1e-3f);
    }
}

TEST(ContentShapes, ArchPanelIsTheRectangleLessTheArchOnBothFaces) {
    MeshPart panel;
    MeshPart soffit;
    const int segments = 12;
    AddArchPanel(panel, soffit, kFrame, 0.0f, 100.0f, 80.0f, 140.0f, segments, TestMap(), TestMap(),
                 TestMap());
    const float r = 50.0f;
    const float halfDisc = 0.5f * segments * r * r * std::sin(3.14159265f / segments);
    EXPECT_NEAR(AreaFacing(panel, Vector3(0, 0, 1)), 100.0f * 60.0f - halfDisc, 1.0f);
    EXPECT_NEAR(AreaFacing(panel, Vector3(0, 0, -1)), 100.0f * 60.0f - halfDisc, 1.0f);
    // The underside faces the arch's axis everywhere.
    ASSERT_EQ(soffit.triangles.size(), 2u * segments);
    for (const auto& t : soffit.triangles) {
        const Vector3 a = soffit.vertices[t[0]];
        const Vector3 n = FaceNormal(a, soffit.vertices[t[1]], soffit.vertices[t[2]]);
        EXPECT_GT(DotProduct(n, Vector3(50.0f, 80.0f, a.z) - a), 0.0f);
    }
}

TEST(ContentShapes, PartsSplitAtTheFaceLimitAndKeepTheirMaterial) {
    Scene scene;
    scene.faceLimit = 4;
    const int stone = scene.AddMaterial("Stone", "STONE.BMP", 255, 255, 255);
    for (int i = 0; i < 3; ++i) {
        AddBox(scene.Part("Box", stone), Vector3(i * 10.0f, 0, 0), Vector3(i * 10.0f + 5, 5, 5), 10.0f,
               10.0f);
    }
    ASSERT_EQ(scene.parts.size(), 3u);
    EXPECT_EQ(scene.parts[0].name, "Box00");
    EXPECT_EQ(scene.parts[2].name, "Box02");
    EXPECT_EQ(scene.parts[2].material, stone);
    EXPECT_EQ(TotalTriangles(scene), 36);
}
