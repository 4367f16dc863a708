#include "shell/GLWindow.hpp"
#include "support/GLTestContext.hpp"

#include <GL/gl.h>

#include <cmath>

namespace {

// gluPerspective's projection for a 45-degree field of view, near 1, far 5000.
void ExpectPerspective(float aspect) {
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    const double f = 1.0 / std::tan(45.0 * M_PI / 360.0);
    EXPECT_NEAR(m[0], f / aspect, 1e-5);
    EXPECT_NEAR(m[5], f, 1e-5);
    EXPECT_NEAR(m[10], (5000.0 + 1.0) / (1.0 - 5000.0), 1e-5);
    EXPECT_NEAR(m[11], -1.0, 0.0);
    EXPECT_NEAR(m[14], 2.0 * 5000.0 * 1.0 / (1.0 - 5000.0), 1e-5);
    EXPECT_EQ(m[15], 0.0f);
    for (const int zero : {1, 2, 3, 4, 6, 7, 8, 9, 12, 13}) {
        EXPECT_EQ(m[zero], 0.0f) << zero;
    }
}

} // namespace

using GLWindowResize = GLTest;

TEST_F(GLWindowResize, SetsViewportPerspectiveAndResetsModelview) {
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1.0f, 2.0f, 3.0f);
    GLWindow::Resize(200, 100);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 200);
    EXPECT_EQ(viewport[3], 100);
    ExpectPerspective(2.0f);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(modelview[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
    }
}

TEST_F(GLWindowResize, HeightZeroIsTakenAsOne) {
    GLWindow::Resize(640, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 1);
    ExpectPerspective(640.0f);
    // The aspect is a single-precision quotient: 800 / 600 rounded to float.
    GLWindow::Resize(800, 600);
    ExpectPerspective(800.0f / 600.0f);
}

TEST(GLWindowDestroy, ReleasingNothingStillPostsTheQuitRequest) {
    // A window that never got past its configuration file has nothing to release; the quit request
    // is still posted, and it comes out of the event queue once.
    GLWindow window;
    window.Destroy();
    EXPECT_EQ(window.window, nullptr);
    platform::Event event{};
    bool sawQuit = false;
    for (int i = 0; i < 1000 && platform::PeekEvent(event); ++i) {
        sawQuit = sawQuit || event.kind == platform::EventKind::Quit;
    }
    EXPECT_TRUE(sawQuit);
    EXPECT_FALSE(platform::PeekEvent(event));
}
