#include "octree/Octree.hpp"
#include "octree/OctreeJson.hpp"

#include "helpers/JsonMatch.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <random>
#include <set>
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif
#include <vector>

namespace {

using Triangle = std::array<Vector3, 3>;

// A model built in memory.
struct TestLevel {
    Model model;

    // Appends an object whose faces use three vertices of their own each, in order.
    int AddObject(const std::vector<Triangle>& triangles) {
        const int i = AppendObject(model);
        MeshObject& object = model.objects[i];
        for (const Triangle& t : triangles) {
            Face face{};
            for (int corner = 0; corner < 3; ++corner) {
                face.vertexIndex[corner] = object.VertexCount();
                object.vertices.push_back(t[corner]);
            }
            object.faces.push_back(face);
        }
        return i;
    }
};

Triangle Tri(Vector3 a, Vector3 b, Vector3 c) {
    return Triangle{a, b, c};
}

// A small triangle with all three corners near p.
Triangle SmallAt(Vector3 p) {
    return Tri(p, p + Vector3(0.1f, 0, 0), p + Vector3(0, 0.1f, 0));
}

// Two objects of six small faces each, one near (50, 50, 50) and one near (-50, -50, -50): twelve
// faces split the root, and each cluster fills one octant.
TestLevel TwoClusters() {
    TestLevel level;
    std::vector<Triangle> high, low;
    for (int i = 0; i < 6; ++i) {
        high.push_back(SmallAt(Vector3(50.0f + float(i), 50, 50)));
        low.push_back(SmallAt(Vector3(-50.0f - float(i), -50, -50)));
    }
    level.AddObject(high);
    level.AddObject(low);
    return level;
}

struct LeafVisit {
    const Octree* node;
    int depth;
    std::vector<std::pair<Vector3, int>> path; // (parent centre, octant) from the root down
};

void CollectLeaves(const Octree& node, int depth, std::vector<std::pair<Vector3, int>>& path,
                   std::vector<LeafVisit>& out) {
    if (!node.subdivided) {
        out.push_back({&node, depth, path});
        return;
    }
    for (int octant = 0; octant < 8; ++octant) {
        if (node.children[octant]) {
            path.emplace_back(node.centre, octant);
            CollectLeaves(*node.children[octant], depth + 1, path, out);
            path.pop_back();
        }
    }
}

std::vector<LeafVisit> Leaves(const Octree& root) {
    std::vector<LeafVisit> out;
    std::vector<std::pair<Vector3, int>> path;
    CollectLeaves(root, 0, path, out);
    return out;
}

int ChildCount(const Octree& node) {
    int n = 0;
    for (const auto& child : node.children) {
        n += child != nullptr;
    }
    return n;
}

} // namespace

TEST(OctreeBuild, TenFacesMakeOneLeafAndElevenSplit) {
    std::vector<Triangle> triangles;
    for (int i = 0; i < 10; ++i) {
        triangles.push_back(SmallAt(Vector3(float(i * 10), float(i % 3), float(-i))));
    }
    {
        TestLevel level;
        level.AddObject(triangles);
        Octree root;
        const int leafCount = root.Build(level.model).leafCount;
        EXPECT_FALSE(root.IsSubdivided());
        EXPECT_EQ(ChildCount(root), 0);
        EXPECT_EQ(leafCount, 1);
        EXPECT_EQ(root.GetListId(), 0);
        EXPECT_EQ(root.triangleCount, 10);
        ASSERT_TRUE(root.leaf);
        EXPECT_EQ(root.leaf->batches.size(), 1u);
        EXPECT_EQ(root.leaf->batches[0].FaceCount(), 10);
        for (int f = 0; f < 10; ++f) {
            for (int corner = 0; corner < 3; ++corner) {
                EXPECT_EQ(root.leaf->batches[0].indices[3 * f + corner], std::uint32_t(3 * f + corner));
            }
        }
    }
    triangles.push_back(SmallAt(Vector3(-50, 5, 5)));
    TestLevel level;
    level.AddObject(triangles);
    Octree root;
    root.Build(level.model);
    EXPECT_TRUE(root.IsSubdivided());
    EXPECT_FALSE(root.leaf);
    EXPECT_EQ(root.triangleCount, 0);
    EXPECT_TRUE(root.objectIndices.empty());
    EXPECT_GT(ChildCount(root), 0);
}

TEST(OctreeBuild, SplittingStopsAtDepthFour) {
    // Twenty faces crowded into one spot keep every node on their way over ten faces.
    std::vector<Triangle> triangles;
    for (int i = 0; i < 20; ++i) {
        triangles.push_back(SmallAt(Vector3(100.0f + 0.001f * float(i), 100, 100)));
    }
    triangles.push_back(SmallAt(Vector3(-100, -100, -100)));
    TestLevel level;
    level.AddObject(triangles);
    Octree root;
    root.Build(level.model);
    int deepest = 0;
    for (const LeafVisit& leaf : Leaves(root)) {
        deepest = std::max(deepest, leaf.depth);
        if (leaf.node->triangleCount > maxNodeTriangles) {
            EXPECT_EQ(leaf.depth, maxDepth);
        }
    }
    EXPECT_EQ(deepest, 4);
}

TEST(OctreeBuild, VerticesOnSplittingPlanesReachEveryOctantTheyTouch) {
    // Symmetric integer corners make the mean exactly (0, 0, 0), so the root splits at the origin.
    std::vector<Triangle> triangles;
    const float s = 40;
    for (const Vector3 corner : {Vector3(s, s, s), Vector3(-s, -s, -s), Vector3(s, -s, s), Vector3(-s, s, -s),
                                 Vector3(s, s, -s), Vector3(-s, -s, s)}) {
        triangles.push_back(Tri(corner, corner, corner));
    }
    // One face with a corner at the exact centre, and a mirrored pair lying on the plane x = 0.
    triangles.push_back(Tri(Vector3(0, 0, 0), Vector3(s, s, s), Vector3(-s, -s, -s)));
    triangles.push_back(Tri(Vector3(0, 10, 10), Vector3(0, 10, 10), Vector3(0, 10, 10)));
    triangles.push_back(Tri(Vector3(0, -10, -10), Vector3(0, -10, -10), Vector3(0, -10, -10)));
    // Padding near opposite corners keeps the count above ten without moving the mean.
    for (int i = 0; i < 2; ++i) {
        triangles.push_back(Tri(Vector3(s, s, s), Vector3(s, s, s), Vector3(s, s, s)));
        triangles.push_back(Tri(Vector3(-s, -s, -s), Vector3(-s, -s, -s), Vector3(-s, -s, -s)));
    }
    TestLevel level;
    level.AddObject(triangles);
    Octree root;
    root.MeasureScene(&level.model);
    ASSERT_EQ(root.GetCentre().x, 0.0f);
    ASSERT_EQ(root.GetCentre().y, 0.0f);
    ASSERT_EQ(root.GetCentre().z, 0.0f);
    ASSERT_EQ(root.GetWidth(), 80.0f);
    root.BuildNode(level.model, root.CountSceneTriangles(level.model), root.GetCentre(), root.GetWidth());
    ASSERT_TRUE(root.IsSubdivided());

    // Every octant is reached by the centre face, so every child exists.
    EXPECT_EQ(ChildCount(root), 8);
    auto faceIn = [](const Octree& node, std::uint32_t firstIndex) {
        const LeafBatch& record = node.leaf->batches[0];
        for (int f = 0; f < record.FaceCount(); ++f) {
            if (record.indices[3 * f] == firstIndex) {
                return true;
            }
        }
        return false;
    };
    for (int octant = 0; octant < 8; ++octant) {
        ASSERT_TRUE(root.children[octant]);
        const Octree& child = *root.children[octant];
        ASSERT_FALSE(child.IsSubdivided());
        EXPECT_TRUE(faceIn(child, 18)) << octant;
        // On x = 0 with y and z positive: both sides of x, octants 0 and 3; its mirror 5 and 6.
        EXPECT_EQ(faceIn(child, 21), octant == 0 || octant == 3) << octant;
        EXPECT_EQ(faceIn(child, 24), octant == 5 || octant == 6) << octant;
    }
}

TEST(OctreeBuild, EmptyOctantsHaveNoChildAndAbsentObjectsKeepEmptyRecords) {
    const TestLevel level = TwoClusters();
    Octree root;
    const int leafCount = root.Build(level.model).leafCount;
    ASSERT_TRUE(root.IsSubdivided());
    for (int octant = 0; octant < 8; ++octant) {
        EXPECT_EQ(root.children[octant] != nullptr, octant == 3 || octant == 5) << octant;
    }
    const Octree& up = *root.children[3];
    const Octree& down = *root.children[5];
    ASSERT_TRUE(up.leaf);
    ASSERT_TRUE(down.leaf);
    EXPECT_EQ(up.objectIndices, std::vector<std::int32_t>{0});
    EXPECT_EQ(down.objectIndices, std::vector<std::int32_t>{1});
    EXPECT_EQ(up.leaf->batches.size(), 2u);
    EXPECT_EQ(up.leaf->batches[0].FaceCount(), 6);
    EXPECT_EQ(up.leaf->batches[1].FaceCount(), 0);
    // Octant 5 is visited after octant 3: ordinals follow the depth-first order.
    EXPECT_EQ(up.GetListId(), 0);
    EXPECT_EQ(down.GetListId(), 1);
    EXPECT_EQ(leafCount, 2);
    // A leaf's indices are the full model's: object 1's faces keep their own vertex numbers.
    EXPECT_EQ(down.leaf->batches[1].indices[3], 3u);
}

TEST(OctreeBuild, MeasureSceneTakesTheMeanAndTruncatesEachDistance) {
    TestLevel level;
    level.AddObject({Tri(Vector3(-7.5f, 0, 0), Vector3(7.9f, 0, 0), Vector3(-0.4f, 0, 0))});
    Octree root;
    root.MeasureScene(&level.model);
    EXPECT_NEAR(root.GetCentre().x, 0.0f, 1e-6f);
    EXPECT_EQ(root.GetWidth(), 14.0f);

    // The mean, not the middle of the bounding box.
    TestLevel skewed;
    skewed.AddObject({Tri(Vector3(0, 0, 0), Vector3(0, 0, 0), Vector3(0, 0, 30))});
    Octree other;
    other.MeasureScene(&skewed.model);
    EXPECT_EQ(other.GetCentre().z, 10.0f);
    EXPECT_EQ(other.GetWidth(), 40.0f);

    Octree untouched;
    untouched.MeasureScene(nullptr);
    EXPECT_EQ(untouched.GetWidth(), 0.0f);

    EXPECT_EQ(root.ChildCentre(Vector3(1, 2, 3), 8, 6).x, 3.0f);
    EXPECT_EQ(root.ChildCentre(Vector3(1, 2, 3), 8, 6).y, 0.0f);
    EXPECT_EQ(root.ChildCentre(Vector3(1, 2, 3), 8, 6).z, 1.0f);
    EXPECT_EQ(root.ChildCentre(Vector3(1, 2, 3), 8, 8).x, 0.0f);
    EXPECT_EQ(root.ChildCentre(Vector3(1, 2, 3), 8, -1).z, 0.0f);
}

TEST(OctreeBuild, ModelsWithoutVerticesGiveAnEmptyTree) {
    // No objects at all: one leaf with nothing in it.
    {
        Model empty;
        Octree root;
        const int leafCount = root.Build(empty).leafCount;
        EXPECT_EQ(root.GetWidth(), 0.0f);
        EXPECT_FALSE(std::isnan(root.GetCentre().x));
        EXPECT_EQ(leafCount, 1);
        EXPECT_TRUE(root.objectIndices.empty());
    }
    // Faces but no vertex array: no face can be placed, and none reaches a leaf.
    for (const int faces : {5, 30}) {
        TestLevel level;
        std::vector<Triangle> triangles(faces, SmallAt(Vector3(1, 2, 3)));
        level.AddObject(triangles);
        level.model.objects[0].vertices.clear();
        Octree root;
        root.Build(level.model);
        EXPECT_FALSE(std::isnan(root.GetCentre().x));
        EXPECT_EQ(root.GetWidth(), 0.0f);
        for (const LeafVisit& leaf : Leaves(root)) {
            EXPECT_TRUE(leaf.node->objectIndices.empty());
            EXPECT_EQ(leaf.node->leaf->batches[0].FaceCount(), 0);
        }
    }
}

TEST(OctreeBuild, FacesNamingMissingVerticesNeverReachTheIndexArrays) {
    for (const int faces : {4, 40}) {
        TestLevel level;
        std::vector<Triangle> triangles;
        for (int i = 0; i < faces; ++i) {
            triangles.push_back(SmallAt(Vector3(float(i % 7) * 10, float(i % 5) * 10, float(i % 3) * 10)));
        }
        level.AddObject(triangles);
        Face* f = level.model.objects[0].faces.data();
        f[1].vertexIndex[2] = 3 * faces; // one past the last vertex
        f[2].vertexIndex[0] = -1;        // negative
        f[3].vertexIndex[1] = 70000;     // far beyond
        f[faces - 1].vertexIndex[0] = 1 << 30;
        Octree root;
        root.Build(level.model);
        int kept = 0;
        for (const LeafVisit& leaf : Leaves(root)) {
            const LeafBatch& record = leaf.node->leaf->batches[0];
            for (int i = 0; i < 3 * record.FaceCount(); ++i) {
                EXPECT_LT(record.indices[i], std::uint32_t(3 * faces));
            }
            for (int face = 0; face < record.FaceCount(); ++face) {
                const std::uint32_t first = record.indices[3 * face];
                EXPECT_NE(first, 3u);
                EXPECT_NE(first, 9u);
                ++kept;
            }
        }
        EXPECT_GE(kept, faces - 4);
    }
}

// Every face reaches at least one leaf, and exactly the leaves on whose path every split saw one of
// its corners on the leaf's side, on random models with many corners on splitting planes.
TEST(OctreeBuild, RandomModelsRouteEachFaceExactlyWhereItsCornersLie) {
    std::mt19937 random(20261207);
    for (int trial = 0; trial < 40; ++trial) {
        TestLevel level;
        const int objectTotal = 1 + int(random() % 4);
        std::uniform_int_distribution<int> grid(-8, 8);
        std::uniform_real_distribution<float> spread(-100.0f, 100.0f);
        const bool onGrid = trial % 2 == 0;
        for (int o = 0; o < objectTotal; ++o) {
            std::vector<Triangle> triangles;
            const int faceTotal = int(random() % 120);
            for (int f = 0; f < faceTotal; ++f) {
                Triangle t;
                for (Vector3& v : t) {
                    v = onGrid ? Vector3(float(grid(random) * 4), float(grid(random) * 4),
                                         float(grid(random) * 4))
                               : Vector3(spread(random), spread(random), spread(random));
                }
                triangles.push_back(t);
                if (onGrid) { // the mirror face keeps the mean at the origin, on every splitting plane
                    triangles.push_back(Tri(t[0] * -1.0f, t[1] * -1.0f, t[2] * -1.0f));
                }
            }
            level.AddObject(triangles);
        }
        Octree root;
        const int leafCount = root.Build(level.model).leafCount;
        const std::vector<LeafVisit> leaves = Leaves(root);
        ASSERT_EQ(int(leaves.size()), leafCount);

        std::map<std::pair<int, std::uint32_t>, std::set<int>> found; // (object, first index) -> leaves
        for (std::size_t n = 0; n < leaves.size(); ++n) {
            const Octree& leaf = *leaves[n].node;
            EXPECT_EQ(leaf.GetListId(), int(n));
            EXPECT_LE(leaves[n].depth, maxDepth);
            EXPECT_TRUE(leaf.triangleCount <= maxNodeTriangles || leaves[n].depth == maxDepth);
            int total = 0;
            std::vector<std::int32_t> expectedObjects;
            for (int o = 0; o < objectTotal; ++o) {
                const LeafBatch& record = leaf.leaf->batches[o];
                total += record.FaceCount();
                if (record.FaceCount() > 0) {
                    expectedObjects.push_back(o);
                }
                for (int f = 0; f < record.FaceCount(); ++f) {
                    found[{o, record.indices[3 * f]}].insert(int(n));
                }
            }
            EXPECT_EQ(total, leaf.triangleCount);
            EXPECT_EQ(leaf.objectIndices, expectedObjects);
        }
        for (int o = 0; o < objectTotal; ++o) {
            const MeshObject& object = level.model.objects[o];
            for (int f = 0; f < object.FaceCount(); ++f) {
                std::set<int> expected;
                for (std::size_t n = 0; n < leaves.size(); ++n) {
                    bool reaches = true;
                    for (const auto& [parentCentre, octant] : leaves[n].path) {
                        bool any = false;
                        for (const std::int32_t k : object.faces[f].vertexIndex) {
                            any = any || InOctant(object.vertices[k], parentCentre, octant);
                        }
                        reaches = reaches && any;
                    }
                    if (reaches) {
                        expected.insert(int(n));
                    }
                }
                const std::set<int>& actual = found[{o, std::uint32_t(3 * f)}];
                EXPECT_FALSE(actual.empty()) << "trial " << trial << " object " << o << " face " << f;
                EXPECT_EQ(actual, expected) << "trial " << trial << " object " << o << " face " << f;
            }
        }
    }
}

#if defined(__SANITIZE_ADDRESS__)
#define JOSTRELA_UNDER_ASAN 1
#else
#define JOSTRELA_UNDER_ASAN 0
#endif

// Running out of memory half way through the build is reported in its result (the game then ends
// with a message instead of going on with part of the level missing).
// The address-space limit is a POSIX one.
#ifndef _WIN32
TEST(OctreeBuildDeathTest, RunningOutOfMemoryIsReportedInTheResult) {
    if (JOSTRELA_UNDER_ASAN) {
        GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
    }
    auto buildUnderLimit = [] {
        // Two million faces with a corner at the centre: every child copies all of them.
        Model model;
        AppendObject(model);
        model.objects[0].vertices = {Vector3(0, 0, 0), Vector3(1, 1, 1), Vector3(-1, -1, -1)};
        model.objects[0].faces.assign(2000000, Face{{0, 1, 2}, {0, 0, 0}});
        long pages = 0;
        FILE* statm = std::fopen("/proc/self/statm", "r");
        if (statm == nullptr || std::fscanf(statm, "%ld", &pages) != 1) {
            std::_Exit(3);
        }
        std::fclose(statm);
        const rlim_t limit = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (24u << 20);
        const rlimit bound{limit, limit};
        setrlimit(RLIMIT_AS, &bound);
        Octree root;
        std::_Exit(root.Build(model).outOfMemory ? 1 : 0);
    };
    EXPECT_EXIT(buildUnderLimit(), testing::ExitedWithCode(1), "");
}
#endif

TEST(OctreeJson, ListsTheLeavesDepthFirstWithTheirCubesAndObjects) {
    const TestLevel level = TwoClusters();
    Octree root;
    EXPECT_EQ(root.BuildNode(level.model, 12, Vector3(0, 0, 0), 200.5f).leafCount, 2);
    testing_tools::ExpectJsonLine(OctreeJson(root), R"({"leafCount": 2, "centre": [0, 0, 0], "width": 200.5,
        "leaves": [{"ordinal": 0, "depth": 1, "centre": [50.125, 50.125, 50.125], "width": 100.25,
                    "triangleCount": 6, "objectIndices": [0]},
                   {"ordinal": 1, "depth": 1, "centre": [-50.125, -50.125, -50.125], "width": 100.25,
                    "triangleCount": 6, "objectIndices": [1]}]})");

    Octree lone;
    Model empty;
    EXPECT_EQ(lone.BuildNode(empty, 0, Vector3(1, 2, 3), 0).leafCount, 1);
    testing_tools::ExpectJsonLine(OctreeJson(lone), R"({"leafCount": 1, "centre": [1, 2, 3], "width": 0,
        "leaves": [{"ordinal": 0, "depth": 0, "centre": [1, 2, 3], "width": 0, "triangleCount": 0,
                    "objectIndices": []}]})");
}
