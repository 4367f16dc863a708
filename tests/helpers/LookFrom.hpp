#pragma once

// A 45-degree perspective over width x height and a view from eye towards at, y up, for GL tests
// that draw the level from a chosen place.

#include "geometry/Vector3.hpp"

#include <GL/gl.h>
#include <GL/glu.h>

namespace testing_tools {

inline void LookFrom(Vector3 eye, Vector3 at, int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(width) / double(height), 1.0, 5000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, at.x, at.y, at.z, 0, 1, 0);
}

} // namespace testing_tools
