#include "geometry/Frustum.hpp"
#include "helpers/LookFrom.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "shell/View.hpp"
#include "support/GLTestContext.hpp"
#include "tools/reference/GeneratedLevel.hpp"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

using testing_tools::LookFrom;
using OctreeDrawAll = GLTest;

} // namespace

// The baseline draws every leaf, whatever the view, and the culled draw never more; from inside the
// hall the two pictures are the same (culling only drops what cannot be seen).
TEST_F(OctreeDrawAll, CallsEveryLeafListAndDrawsTheSamePictureAsTheCulledDraw) {
    testing_tools::GeneratedLevel level(3000);
    Octree root;
    const int leafCount = root.Build(level.model).leafCount;
    OctreeStats counts{};
    ASSERT_GT(leafCount, 8);
    GLuint textures[30] = {};
    const GLuint first = glGenLists(leafCount);
    Octree::CompileLists(level.model, textures, 30, &root, int(first));
    glEnable(GL_DEPTH_TEST);

    LookFrom(Vector3(0, 20, 150), Vector3(0, 20, -500), GL().Width(), GL().Height());
    Frustum frustum;
    ExtractPlanes(frustum);
    counts = OctreeStats{};
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Octree::Draw(frustum, &root, level.model, counts);
    const int culledLeaves = counts.leavesDrawn;
    const std::vector<std::uint8_t> culled = GL().ReadPixels();

    counts = OctreeStats{};
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Octree::DrawAll(&root, counts);
    EXPECT_EQ(counts.leavesDrawn, leafCount);
    EXPECT_EQ(counts.drawNodesTested, 0);
    EXPECT_LT(culledLeaves, leafCount);
    EXPECT_EQ(GL().ReadPixels(), culled);

    // Looking away from the hall: nothing is visible, yet every list is still called.
    LookFrom(Vector3(0, 60, 1500), Vector3(0, 60, 3000), GL().Width(), GL().Height());
    counts = OctreeStats{};
    Octree::DrawAll(&root, counts);
    EXPECT_EQ(counts.leavesDrawn, leafCount);

    counts = OctreeStats{};
    Octree::DrawAll(nullptr, counts);
    EXPECT_EQ(counts.leavesDrawn, 0);
}
