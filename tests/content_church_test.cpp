#include "geometry/Collision.hpp"
#include "tools/content/Church.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>
#include <string>

namespace {

constexpr float kRadius = 15.0f; // the penguin's collision sphere

struct Triangle {
    Vector3 p[3];
    Vector3 lo, hi;
};

const std::vector<Triangle>& ChurchTriangles() {
    static const std::vector<Triangle> triangles = [] {
        Scene scene;
        BuildChurch(scene);
        std::vector<Triangle> all;
        for (const MeshPart& part : scene.parts) {
            for (const auto& t : part.triangles) {
                Triangle tri;
                for (int k = 0; k < 3; ++k) {
                    tri.p[k] = part.vertices[t[k]];
                }
                tri.lo = tri.hi = tri.p[0];
                for (int k = 1; k < 3; ++k) {
                    tri.lo = Vector3(std::min(tri.lo.x, tri.p[k].x), std::min(tri.lo.y, tri.p[k].y),
                                     std::min(tri.lo.z, tri.p[k].z));
                    tri.hi = Vector3(std::max(tri.hi.x, tri.p[k].x), std::max(tri.hi.y, tri.p[k].y),
                                     std::max(tri.hi.z, tri.p[k].z));
                }
                all.push_back(tri);
            }
        }
        return all;
    }();
    return triangles;
}

// The game's own contact rule, against every triangle of the level (no octree in between).
bool Touches(Vector3 centre, float radius = kRadius) {
    for (const Triangle& t : ChurchTriangles()) {
        if (centre.x + radius < t.lo.x || centre.x - radius > t.hi.x || centre.y + radius < t.lo.y ||
            centre.y - radius > t.hi.y || centre.z + radius < t.lo.z || centre.z - radius > t.hi.z) {
            continue;
        }
        if (SphereTouchesPolygon(t.p, centre, 3, radius)) {
            return true;
        }
    }
    return false;
}

bool IsEightThreeBmp(const std::string& name) {
    const std::size_t dot = name.find('.');
    if (dot == std::string::npos || dot == 0 || dot > 8) {
        return false;
    }
    const std::string ext = name.substr(dot);
    return name.size() <= 12 && (ext == ".bmp" || ext == ".BMP");
}

} // namespace

TEST(ContentChurch, HasTheSizeAndMakeUpTheGameExpects) {
    Scene scene;
    BuildChurch(scene);
    const int triangles = TotalTriangles(scene);
    EXPECT_GE(triangles, 2000);
    EXPECT_LE(triangles, 30000);
    EXPECT_LE(scene.materials.size(), 30u); // a placed model has 30 texture slots
    std::set<std::string> names;
    int textured = 0;
    for (const MaterialSpec& m : scene.materials) {
        if (!m.textureFile.empty()) {
            ++textured;
            EXPECT_TRUE(IsEightThreeBmp(m.textureFile)) << m.textureFile;
        }
    }
    EXPECT_GE(textured, 5);
    EXPECT_LT(textured, static_cast<int>(scene.materials.size()));
    float lowest = 1e9f;
    for (const MeshPart& part : scene.parts) {
        EXPECT_TRUE(names.insert(part.name).second) << part.name;
        EXPECT_LT(part.name.size(), 11u);
        EXPECT_LE(part.vertices.size(), 65535u);
        EXPECT_EQ(part.vertices.size(), part.texCoords.size());
        for (const auto& t : part.triangles) {
            for (int k = 0; k < 3; ++k) {
                ASSERT_LT(t[k], part.vertices.size()) << part.name;
            }
        }
        for (const Vector3& v : part.vertices) {
            lowest = std::min(lowest, v.y);
        }
    }
    EXPECT_GE(scene.parts.size(), 10u);
    EXPECT_EQ(lowest, church::kFloorY);
}

TEST(ContentChurch, SurfacesFaceTheRoomsTheyBound) {
    // The floor faces up, the door wall's face toward the nave (+z), the left arcade wall's inner
    // face toward +x (boxes that end against it face away): counter-clockwise seen from inside,
    // as the vertex normals expect.
    int floor = 0, doorWall = 0, arcade = 0;
    for (const Triangle& t : ChurchTriangles()) {
        const Vector3 n = Normalized(CrossProduct(t.p[1] - t.p[0], t.p[2] - t.p[0]));
        if (t.lo.y == church::kFloorY && t.hi.y == church::kFloorY) {
            EXPECT_GT(n.y, 0.99f);
            ++floor;
        }
        if (t.lo.z == church::kDoorWallFrontZ && t.hi.z == church::kDoorWallFrontZ) {
            EXPECT_GT(n.z, 0.99f);
            ++doorWall;
        }
        if (t.lo.x == -182.0f && t.hi.x == -182.0f && t.lo.z > -440.0f && t.hi.z < 165.0f) {
            EXPECT_GT(n.x, 0.99f);
            ++arcade;
        }
    }
    EXPECT_GE(floor, 8); // four rectangles: nothing stands on the floor shown
    EXPECT_GT(doorWall, 8);
    EXPECT_GT(arcade, 20);
}

TEST(ContentChurch, StartAndCentreLineOfTheNaveAreClear) {
    // Before its first placement the penguin's sphere is at the origin; then at the view point.
    EXPECT_FALSE(Touches(Vector3(0.0f, 0.0f, 0.0f)));
    // W alone moves the view point 12.9 a frame from z = -3; the whole way to the switch zone and a
    // little beyond, walking or jumping, nothing is within reach. A margin of one unit on top.
    for (float z = 0.0f; z >= -820.0f; z -= 1.0f) {
        for (float h = 0.0f; h <= 12.0f; h += 3.0f) {
            ASSERT_FALSE(Touches(Vector3(0.0f, h, z), kRadius + 1.0f)) << "z " << z << " h " << h;
        }
    }
}

TEST(ContentChurch, ArchwayAndDoorwayAreOpenAndTheSanctuaryBeyondIsReachable) {
    for (float x = -105.0f; x <= 65.0f; x += 10.0f) {
        for (float y = -35.0f; y <= 35.0f; y += 10.0f) {
            EXPECT_FALSE(Touches(Vector3(x, y, -457.0f), 1.0f)) << x << " " << y;
            EXPECT_FALSE(Touches(Vector3(x, y, -875.0f), 1.0f)) << x << " " << y;
        }
    }
    // Through the doorway's middle and up the low sanctuary steps to the altar.
    for (float z = -800.0f; z >= -975.0f; z -= 1.0f) {
        ASSERT_FALSE(Touches(Vector3(church::kNaveAxisX, 0.0f, z))) << z;
    }
    EXPECT_TRUE(Touches(Vector3(church::kNaveAxisX, 0.0f, -995.0f))); // the altar
}

TEST(ContentChurch, WallsAndPewsStopTheSphereAndAJumpLandsBetweenPews) {
    EXPECT_TRUE(Touches(Vector3(-170.0f, 0.0f, -600.0f)));       // choir wall
    EXPECT_TRUE(Touches(Vector3(-150.0f, 0.0f, -855.0f)));       // the door wall by the switch
    EXPECT_TRUE(Touches(Vector3(0.0f, 0.0f, 160.0f)));           // the west wall
    EXPECT_TRUE(Touches(Vector3(150.0f, 0.0f, -90.0f + 20.0f))); // a column
    // A pew's back rest at x 35 .. 130, z -84 .. -60: walking into it touches, flying over it at
    // the jump heights from 5 upward does not.
    bool touched = false;
    for (float z = -40.0f; z >= -100.0f; z -= 1.0f) {
        touched = touched || Touches(Vector3(80.0f, 0.0f, z));
        for (float h = 5.0f; h <= 12.0f; h += 1.0f) {
            ASSERT_FALSE(Touches(Vector3(80.0f, h, z))) << z << " " << h;
        }
    }
    EXPECT_TRUE(touched);
    // The pew jump of the walk-through: from z 35.7 (view point x 70), Space with W held for 11
    // frames (12.9 a frame), then straight down. The height rises 1 a frame to 12 and falls back.
    float z = 35.7f;
    for (int frame = 1; frame <= 24; ++frame) {
        z -= frame <= 11 ? 12.9f : 0.0f;
        const float h = static_cast<float>(frame <= 12 ? frame : 24 - frame);
        ASSERT_FALSE(Touches(Vector3(70.0f, h, z))) << "frame " << frame;
    }
    // It lands in the gap between the first two rows, the whole sphere clear of both.
    EXPECT_LT(z + kRadius, church::kFirstPewFrontZ);
    EXPECT_GT(z - kRadius, church::kFirstPewFrontZ - church::kPewPitch + church::kPewDepth);
    // The sanctuary steps are too low to touch.
    EXPECT_FALSE(Touches(Vector3(100.0f, 0.0f, -1000.0f)));
}
