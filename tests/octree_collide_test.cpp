#include "geometry/Collision.hpp"
#include "helpers/MessageLog.hpp"
#include "model/ModelObject.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "support/GLTestContext.hpp"
#include "tools/reference/GeneratedLevel.hpp"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

// Every allocation of this test program is counted, so a query can show it allocates nothing.
namespace {

// What the octree counted in the calls of the case being run.
OctreeStats counts{};
std::atomic<long> allocations{0};
} // namespace
// Kept out of line so the compiler never pairs an inlined malloc with a free it cannot see.
[[gnu::noinline]] void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

// The player's sphere: a placed model with nothing loaded (its file does not exist).
struct Player {
    testing_tools::MessageLog quiet;
    ModelObject object{"MODELOS/no-such-penguin.3DS"};

    void Put(Vector3 centre, float radius) {
        object.position = centre;
        object.radius = radius;
    }
};

struct Leaf {
    const Octree* node;
    std::vector<const Octree*> ancestors; // root first
};

void CollectLeaves(const Octree& node, std::vector<const Octree*>& path, std::vector<Leaf>& out) {
    path.push_back(&node);
    if (!node.subdivided) {
        out.push_back({&node, path});
    } else {
        for (const auto& child : node.children) {
            if (child) {
                CollectLeaves(*child, path, out);
            }
        }
    }
    path.pop_back();
}

bool Overlaps(Vector3 c, float r, const Octree& node) {
    return SphereOverlapsCube(c, r, node.centre.x, node.centre.y, node.centre.z, node.width * 0.5f);
}

bool TouchesFace(Vector3 c, float r, const MeshObject& object, const std::uint32_t* corner) {
    const Vector3 triangle[3] = {object.vertices[corner[0]], object.vertices[corner[1]],
                                 object.vertices[corner[2]]};
    return SphereTouchesPolygon(triangle, c, 3, r);
}

// Every face of every leaf whose cube, and every ancestor's, the sphere overlaps.
bool ReachedFacesTouched(const std::vector<Leaf>& leaves, const Model& model, Vector3 c, float r) {
    for (const Leaf& leaf : leaves) {
        bool reached = true;
        for (const Octree* node : leaf.ancestors) {
            reached = reached && Overlaps(c, r, *node);
        }
        if (!reached) {
            continue;
        }
        for (int i = 0; i < model.ObjectCount(); ++i) {
            const LeafBatch& record = leaf.node->leaf->batches[i];
            for (int f = 0; f < record.FaceCount(); ++f) {
                if (TouchesFace(c, r, model.objects[i], record.indices.data() + 3 * f)) {
                    return true;
                }
            }
        }
    }
    return false;
}

// Every face of the model, with no tree at all.
bool AnyFaceTouched(const Model& model, Vector3 c, float r) {
    for (const MeshObject& object : model.objects) {
        for (int f = 0; f < object.FaceCount(); ++f) {
            const std::uint32_t corner[3] = {std::uint32_t(object.faces[f].vertexIndex[0]),
                                             std::uint32_t(object.faces[f].vertexIndex[1]),
                                             std::uint32_t(object.faces[f].vertexIndex[2])};
            if (TouchesFace(c, r, object, corner)) {
                return true;
            }
        }
    }
    return false;
}

// A model of loose triangles, each with three vertices of its own.
struct LooseTriangles {
    Model model;

    LooseTriangles() { AppendObject(model); }
    void Add(Vector3 a, Vector3 b, Vector3 c) {
        MeshObject& object = model.objects[0];
        const std::int32_t k = object.VertexCount();
        // One at a time: GCC 12 warns wrongly about inserting a braced list.
        object.vertices.push_back(a);
        object.vertices.push_back(b);
        object.vertices.push_back(c);
        object.faces.push_back(Face{{k, k + 1, k + 2}, {0, 0, 0}});
    }
    const Model& Finish() const { return model; }
};

} // namespace

TEST(OctreeCollide, AgreesWithEveryFaceTheCubeRuleReachesOnThousandsOfSpheres) {
    testing_tools::GeneratedLevel level(20000);
    Octree root;
    root.Build(level.model);
    std::vector<Leaf> leaves;
    std::vector<const Octree*> path;
    CollectLeaves(root, path, leaves);
    Player player;

    std::mt19937 random(77);
    std::uniform_real_distribution<float> x(-500, 500), y(-120, 260), z(-1100, 300), unit(0, 1);
    int touches = 0, misses = 0, graze = 0;
    for (int n = 0; n < 6000; ++n) {
        Vector3 c(x(random), y(random), z(random));
        float r = n % 3 == 0 ? 1.0f + 40.0f * unit(random) : 15.0f;
        if (n % 4 == 1) {
            // Right at a face: the centre one radius (give or take a hair) off a random face's plane,
            // where the strict and inclusive comparisons decide.
            const MeshObject& object = level.model.objects[random() % level.model.objects.size()];
            const Face& face = object.faces[random() % object.FaceCount()];
            const Vector3 p = object.vertices[face.vertexIndex[0]] * 0.5f +
                              object.vertices[face.vertexIndex[1]] * 0.25f +
                              object.vertices[face.vertexIndex[2]] * 0.25f;
            const float offsets[3] = {0.0f, 1e-4f, -1e-4f};
            c = p + object.normals[face.vertexIndex[0]] * (r + offsets[n % 3]);
            ++graze;
        }
        player.Put(c, r);
        counts = OctreeStats{};
        const bool answer = root.Collide(player.object, level.model, counts);
        ASSERT_EQ(answer, ReachedFacesTouched(leaves, level.model, c, r))
            << "sphere " << n << " at " << c.x << " " << c.y << " " << c.z << " radius " << r;
        if (answer) {
            ASSERT_TRUE(AnyFaceTouched(level.model, c, r)) << n;
            ++touches;
        } else {
            ++misses;
        }
        EXPECT_GE(counts.collideNodesTested, 1);
    }
    EXPECT_GT(touches, 600);
    EXPECT_GT(misses, 600);
    EXPECT_GT(graze, 1000);
}

TEST(OctreeCollide, StopsAtTheFirstTouchedFaceInOctantOrderAndSkipsMissingChildren) {
    // Six faces around (-50, 50, 50) in octant 0 and six around (50, 50, 50) in octant 3; the other
    // octants stay empty.
    LooseTriangles level;
    for (const float side : {-50.0f, 50.0f}) {
        for (int k = 0; k < 6; ++k) {
            const Vector3 p(side, 50.0f + float(k), 50.0f);
            level.Add(p, p + Vector3(0, 0, 5), p + Vector3(5, 0, 0));
        }
    }
    const Model& model = level.Finish();
    Octree root;
    root.BuildNode(model, 12, Vector3(0, 0, 0), 200);
    ASSERT_TRUE(root.children[0] && root.children[3]);
    ASSERT_FALSE(root.children[1] || root.children[2]);
    Player player;

    // Touching both groups: the first face of octant 0 answers.
    player.Put(Vector3(0, 52, 52), 60);
    counts = OctreeStats{};
    EXPECT_TRUE(root.Collide(player.object, model, counts));
    EXPECT_EQ(counts.facesTested, 1);
    EXPECT_EQ(counts.collideNodesTested, 2);

    // Only grazing octant 0's cube (its face at x = 0) and touching octant 3's faces: octant 0
    // answers no, and the search goes on.
    player.Put(Vector3(45, 51, 52), 45);
    counts = OctreeStats{};
    EXPECT_TRUE(root.Collide(player.object, model, counts));
    EXPECT_EQ(counts.facesTested, 7);

    // Outside the root cube: no face is tested.
    player.Put(Vector3(0, 400, 0), 15);
    counts = OctreeStats{};
    EXPECT_FALSE(root.Collide(player.object, model, counts));
    EXPECT_EQ(counts.collideNodesTested, 1);
    EXPECT_EQ(counts.facesTested, 0);
}

TEST(OctreeCollide, AFaceIsFoundOnlyThroughTheCubesItWasRoutedTo) {
    // A large face with corners in octants 0 and 2 only; its middle passes through octant 1's space.
    LooseTriangles level;
    level.Add(Vector3(-40, 10, 10), Vector3(10, 10, -40), Vector3(10, 10, -41));
    for (int k = 0; k < 10; ++k) {
        const Vector3 p(80, 80, 80.0f - float(k));
        level.Add(p, p + Vector3(1, 0, 0), p + Vector3(0, 1, 0));
    }
    const Model& model = level.Finish();
    Octree root;
    root.BuildNode(model, 11, Vector3(0, 0, 0), 200);
    ASSERT_FALSE(root.children[1]);
    Player player;

    // Touching the face's middle inside octant 1's cube, far from the cubes it was routed to.
    player.Put(Vector3(-15, 10, -15), 3);
    EXPECT_TRUE(AnyFaceTouched(model, player.object.position, 3));
    EXPECT_FALSE(root.Collide(player.object, model, counts));

    // A sphere that reaches octant 0's cube finds the face, though the contact is outside that cube.
    player.Put(Vector3(-15, 10, -15), 16);
    EXPECT_TRUE(root.Collide(player.object, model, counts));
}

TEST(OctreeCollide, AQueryAllocatesNothing) {
    testing_tools::GeneratedLevel level(5000);
    Octree root;
    root.Build(level.model);
    Player player;
    const long before = allocations.load();
    int touches = 0;
    for (int n = 0; n < 500; ++n) {
        player.Put(Vector3(float(n % 50) * 16 - 400, float(n % 7) * 30 - 40, float(n) * -2.4f + 200), 15);
        touches += root.Collide(player.object, level.model, counts);
    }
    EXPECT_EQ(allocations.load(), before);
    EXPECT_GT(touches, 0);
}

using OctreeCollideColour = GLTest;

// The query is part of the rules, which draw nothing: a contact leaves the GL colour as it was.
TEST_F(OctreeCollideColour, AContactLeavesTheCurrentColourAlone) {
    testing_tools::GeneratedLevel level(2000);
    Octree root;
    root.Build(level.model);
    Player player;
    GLfloat colour[4] = {};

    glColor3f(0.25f, 0.5f, 0.75f);
    player.Put(Vector3(0, -35, -400), 15); // standing in the floor
    EXPECT_TRUE(root.Collide(player.object, level.model, counts));
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 0.25f);
    EXPECT_EQ(colour[1], 0.5f);
    EXPECT_EQ(colour[2], 0.75f);
}
