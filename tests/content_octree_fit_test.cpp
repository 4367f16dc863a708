#include "octree/Octree.hpp"
#include "tools/content/Church.hpp"
#include "tools/content/LargeLevel.hpp"
#include "tools/content/OctreeFit.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace {

double Area(const MeshPart& part, const std::array<std::uint16_t, 3>& t) {
    return 0.5 * Length(FaceNormal(part.vertices[t[0]], part.vertices[t[1]], part.vertices[t[2]]));
}

std::map<std::string, double> AreaByFamily(const Scene& scene) {
    std::map<std::string, double> area;
    for (const MeshPart& part : scene.parts) {
        for (const auto& t : part.triangles) {
            area[part.family] += Area(part, t);
        }
    }
    return area;
}

// The grid cell index of v along one axis: how many planes lie below it; -1 when it lies on one.
int Cell(float v, const std::vector<float>& planes) {
    if (std::find(planes.begin(), planes.end(), v) != planes.end()) {
        return -1;
    }
    return static_cast<int>(std::upper_bound(planes.begin(), planes.end(), v) - planes.begin());
}

} // namespace

TEST(ContentOctreeFit, TheGameMeasuresTheChosenCubeAndEveryFlatFaceLiesInOneCell) {
    Scene whole;
    BuildChurch(whole);
    Scene scene;
    BuildChurch(scene);
    const RootCube cube = FitToOctree(scene);
    const RootCube measured = MeasureRootCube(scene);
    EXPECT_EQ(measured.centre.x, cube.centre.x);
    EXPECT_EQ(measured.centre.y, cube.centre.y);
    EXPECT_EQ(measured.centre.z, cube.centre.z);
    EXPECT_EQ(measured.width, cube.width);

    // The same surfaces: every family keeps its area, to rounding (the anchor adds a speck).
    const std::map<std::string, double> before = AreaByFamily(whole);
    const std::map<std::string, double> after = AreaByFamily(scene);
    for (const auto& [family, area] : before) {
        ASSERT_TRUE(after.count(family)) << family;
        EXPECT_NEAR(after.at(family), area, area * 1e-4) << family;
    }

    // Faces whose corners all lie strictly inside one cell of the finest grid, per axis: every one but
    // the smooth cylinders' (columns and candles), which stay whole, and the anchor's speck.
    const std::vector<float> planes[3] = {GridPlanes(cube, 0), GridPlanes(cube, 1), GridPlanes(cube, 2)};
    int straddling = 0, total = 0;
    for (const MeshPart& part : scene.parts) {
        for (const auto& t : part.triangles) {
            ++total;
            bool one = true;
            for (int axis = 0; axis < 3; ++axis) {
                int cell[3];
                for (int k = 0; k < 3; ++k) {
                    const Vector3 v = part.vertices[t[k]];
                    cell[k] = Cell(axis == 0 ? v.x : axis == 1 ? v.y : v.z, planes[axis]);
                }
                one = one && cell[0] >= 0 && cell[0] == cell[1] && cell[1] == cell[2];
            }
            if (!one) {
                ++straddling;
                EXPECT_TRUE(part.family == "Columns" || part.family == "Candles" || part.family == "Anchor")
                    << part.name;
            }
        }
    }
    EXPECT_LT(straddling, total / 20);
}

TEST(ContentOctreeFit, TheLargeLevelIsTheChurchStackedIntoMoreThan150000TrianglesThatTheOctreeTakes) {
    Scene church;
    BuildChurch(church, kBenchmarkCell);
    Scene large;
    BuildLargeLevel(large);
    ASSERT_EQ(large.parts.size(), church.parts.size() * kLargeCopies);
    // The first copy is the church where it stands; the last one lies the whole stack higher.
    EXPECT_EQ(large.parts[0].vertices[0].y, church.parts[0].vertices[0].y);
    const MeshPart& last = large.parts[large.parts.size() - 1];
    EXPECT_EQ(last.vertices[0].y,
              church.parts.back().vertices[0].y + kStoreyHeight * static_cast<float>(kLargeCopies - 1));
    const RootCube cube = FitToOctree(large);
    EXPECT_EQ(MeasureRootCube(large).width, cube.width);
    EXPECT_GE(TotalTriangles(large), 150000);

    // Its thousands of objects stay within the octree build's budget: a split is charged for the
    // face lists it makes, not for a record per object (that once refused the level).
    Model model;
    for (const MeshPart& part : large.parts) {
        MeshObject& object = model.objects[AppendObject(model)];
        object.vertices = part.vertices;
        for (const std::array<std::uint16_t, 3>& t : part.triangles) {
            object.faces.push_back(Face{{t[0], t[1], t[2]}, {0, 0, 0}});
        }
    }
    Octree root;
    const OctreeBuildResult built = root.Build(model);
    EXPECT_FALSE(built.outOfMemory);
    EXPECT_EQ(built.leafCount, 64);
}
