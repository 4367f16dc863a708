// The camera's view transform and the frustum's read of the GL matrices, on a real context.
#include "geometry/Camera.hpp"
#include "geometry/Frustum.hpp"
#include "shell/View.hpp"
#include "support/GLTestContext.hpp"

#include <GL/gl.h>
#include <GL/glu.h>

using ViewGL = GLTest;

TEST_F(ViewGL, ApplyViewIsGluLookAtOfTheStartPose) {
    Camera camera;
    camera.SetPose(0, 10, 40, 0, 0, -3, 0, 1, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyView(camera);
    GLfloat applied[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, applied);
    glLoadIdentity();
    gluLookAt(0, 10, 40, 0, 0, -3, 0, 1, 0);
    GLfloat expected[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, expected);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(applied[i], expected[i]) << i;
    }
}

TEST_F(ViewGL, ExtractPlanesReadsProjectionAndModelview) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Frustum frustum;
    ExtractPlanes(frustum);
    EXPECT_EQ(frustum.planes[Frustum::Right][0], -1.0f);
    EXPECT_EQ(frustum.planes[Frustum::Near][2], 1.0f);

    // The game's perspective and start view: the view point is in sight, the space behind the eye
    // is not, and the planes match those built from the same matrices read back.
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45.0, 800.0 / 600.0, 1.0, 5000.0);
    glMatrixMode(GL_MODELVIEW);
    Camera camera;
    camera.SetPose(0, 10, 40, 0, 0, -3, 0, 1, 0);
    ApplyView(camera);
    ExtractPlanes(frustum);
    GLfloat proj[16];
    GLfloat modl[16];
    glGetFloatv(GL_PROJECTION_MATRIX, proj);
    glGetFloatv(GL_MODELVIEW_MATRIX, modl);
    Frustum fromMatrices;
    fromMatrices.PlanesFromMatrices(proj, modl);
    for (int p = 0; p < 6; ++p) {
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(frustum.planes[p][k], fromMatrices.planes[p][k]);
        }
    }
    EXPECT_TRUE(frustum.CubeVisible(0, 0, -3, 1));
    EXPECT_FALSE(frustum.CubeVisible(0, 10, 60, 5));
    EXPECT_FALSE(frustum.CubeVisible(0, 0, -6000, 10));
}
