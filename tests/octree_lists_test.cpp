#include "geometry/Frustum.hpp"
#include "helpers/LookFrom.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "shell/View.hpp"
#include "support/GLTestContext.hpp"
#include "tools/reference/GeneratedLevel.hpp"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <vector>

namespace {

// What the octree counted in the calls of the case being run.
OctreeStats counts{};

using testing_tools::LookFrom;
using OctreeLists = GLTest;

// A 4 x 4 checker of two colours, so texture coordinates show in the pixels.
GLuint MakeChecker() {
    std::uint8_t texels[4 * 4 * 3];
    for (int i = 0; i < 16; ++i) {
        const bool dark = ((i % 4) + (i / 4)) % 2 == 0;
        texels[3 * i + 0] = dark ? 40 : 250;
        texels[3 * i + 1] = dark ? 200 : 60;
        texels[3 * i + 2] = dark ? 90 : 10;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    return name;
}

void CollectLeaves(const Octree& node, std::vector<const Octree*>& out) {
    if (!node.subdivided) {
        out.push_back(&node);
        return;
    }
    for (const auto& child : node.children) {
        if (child) {
            CollectLeaves(*child, out);
        }
    }
}

// The leaf's faces in immediate mode, with the state its list is meant to record.
void DrawLeafImmediate(const Octree& leaf, const Model& model, const GLuint* textures) {
    for (const std::int32_t i : leaf.objectIndices) {
        const MeshObject& object = model.objects[i];
        const LeafBatch& record = leaf.leaf->batches[i];
        if (object.textured) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, textures[object.materialIndex]);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        const std::uint8_t* colour = model.materials[object.materialIndex].colour;
        glColor3ub(colour[0], colour[1], colour[2]);
        glBegin(GL_TRIANGLES);
        for (int e = 0; e < 3 * record.FaceCount(); ++e) {
            const std::uint32_t k = record.indices[e];
            glTexCoord2f(object.texCoords[k].u, object.texCoords[k].v);
            glNormal3f(object.normals[k].x, object.normals[k].y, object.normals[k].z);
            glVertex3f(object.vertices[k].x, object.vertices[k].y, object.vertices[k].z);
        }
        glEnd();
    }
}

} // namespace

TEST_F(OctreeLists, EachLeafListDrawsTheSamePixelsAsItsFacesInImmediateMode) {
    testing_tools::GeneratedLevel level(3000);
    Octree root;
    const int leafCount = root.Build(level.model).leafCount;
    ASSERT_GT(leafCount, 8);
    GLuint textures[30] = {};
    textures[0] = MakeChecker();
    const GLuint first = glGenLists(leafCount);
    ASSERT_NE(first, 0u);
    root.SetListId(int(first));
    Octree::CompileLists(level.model, textures, 30, &root, root.GetListId());
    ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    std::vector<const Octree*> leaves;
    CollectLeaves(root, leaves);
    ASSERT_EQ(int(leaves.size()), leafCount);
    glEnable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 0);
    LookFrom(Vector3(0, 60, 150), Vector3(-50, 0, -500), GL().Width(), GL().Height());
    int compared = 0;
    for (std::size_t n = 0; n < leaves.size(); ++n) {
        const Octree& leaf = *leaves[n];
        EXPECT_EQ(leaf.GetListId(), int(first + n));
        ASSERT_TRUE(glIsList(GLuint(leaf.GetListId()))) << n;

        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor3ub(1, 2, 3);
        glCallList(GLuint(leaf.GetListId()));
        const std::vector<std::uint8_t> fromList = GL().ReadPixels();

        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawLeafImmediate(leaf, level.model, textures);
        const std::vector<std::uint8_t> immediate = GL().ReadPixels();
        ASSERT_EQ(fromList, immediate) << "leaf " << n;
        for (const std::uint8_t byte : fromList) {
            if (byte != 0) {
                ++compared;
                break;
            }
        }
    }
    // The view must actually show a good share of the leaves for the comparison to mean anything.
    EXPECT_GT(compared, leafCount / 4);
}

TEST_F(OctreeLists, ABatchNeverReadsAnArrayItsObjectLacks) {
    // Object 0 has every array; object 1 has neither normals nor texture coordinates; object 2 has
    // texture coordinates too few for its vertices. All share one leaf.
    const std::vector<TexCoord> coords = {{0, 0}, {1, 0}, {0.5f, 1}};
    Model model;
    for (int o = 0; o < 3; ++o) {
        AppendObject(model);
        MeshObject& object = model.objects[o];
        object.vertices = {Vector3(-1, -1, -5), Vector3(1, -1, -5), Vector3(0, 1, -5)};
        object.faces = {Face{{0, 1, 2}, {0, 0, 0}}};
        object.materialIndex = -1;
    }
    model.objects[0].normals.assign(3, Vector3(0, 0, 1));
    model.objects[0].texCoords = coords;
    model.objects[2].texCoords.assign(coords.begin(), coords.begin() + 2);
    model.objects[2].textured = true;
    model.objects[2].materialIndex = 29; // no texture table entry is read past the table's end

    Octree root;
    const int leafCount = root.Build(model).leafCount;
    ASSERT_EQ(leafCount, 1);
    const GLuint textures[4] = {};
    const GLuint first = glGenLists(1);
    Octree::CompileLists(model, textures, 4, &root, int(first));
    EXPECT_EQ(root.GetListId(), int(first));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    // Client array switches are not recorded: they show what the last batch (object 2) read.
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));

    // Objects without a material are drawn white.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1.0, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glCallList(first);
    EXPECT_EQ(GL().PixelAt(GL().Width() / 2, GL().Height() / 2), 0xFFFFFFu);
}

TEST_F(OctreeLists, CulledDrawCallsOnlyTheListsTheViewCanSee) {
    testing_tools::GeneratedLevel level(3000);
    Octree root;
    const int leafCount = root.Build(level.model).leafCount;
    GLuint textures[30] = {};
    const GLuint first = glGenLists(leafCount);
    Octree::CompileLists(level.model, textures, 30, &root, int(first));

    Frustum frustum;
    // Outside the hall, looking away from it: every node is culled at the root.
    LookFrom(Vector3(0, 60, 1500), Vector3(0, 60, 3000), GL().Width(), GL().Height());
    ExtractPlanes(frustum);
    counts = OctreeStats{};
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Octree::Draw(frustum, &root, level.model, counts);
    EXPECT_EQ(counts.leavesDrawn, 0);
    EXPECT_EQ(counts.drawNodesTested, 1);
    for (const std::uint8_t byte : GL().ReadPixels()) {
        ASSERT_EQ(byte, 0);
    }

    // Inside, looking down the hall: some leaves, not all.
    LookFrom(Vector3(0, 20, 150), Vector3(0, 20, -500), GL().Width(), GL().Height());
    ExtractPlanes(frustum);
    counts = OctreeStats{};
    Octree::Draw(frustum, &root, level.model, counts);
    EXPECT_GT(counts.leavesDrawn, 0);
    EXPECT_LT(counts.leavesDrawn, leafCount);

    // Nothing to draw from a null node.
    counts = OctreeStats{};
    Octree::Draw(frustum, nullptr, level.model, counts);
    EXPECT_EQ(counts.drawNodesTested, 0);
}
