#include "shell/View.hpp"

#include "geometry/Camera.hpp"
#include "geometry/Frustum.hpp"

#include <GL/gl.h>
#include <GL/glu.h>

void ApplyView(const Camera& camera) {
    const Vector3 p = camera.position;
    const Vector3 v = camera.viewPoint;
    const Vector3 u = camera.up;
    gluLookAt(p.x, p.y, p.z, v.x, v.y, v.z, u.x, u.y, u.z);
}

void ExtractPlanes(Frustum& frustum) {
    float proj[16];
    float modl[16];
    glGetFloatv(GL_PROJECTION_MATRIX, proj);
    glGetFloatv(GL_MODELVIEW_MATRIX, modl);
    frustum.PlanesFromMatrices(proj, modl);
}
