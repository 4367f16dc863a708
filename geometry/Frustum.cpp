#include "geometry/Frustum.hpp"

#include <cmath>

void Frustum::PlanesFromMatrices(const float* proj, const float* modl) {
    float clip[16];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            clip[i * 4 + j] = modl[i * 4 + 0] * proj[0 * 4 + j] + modl[i * 4 + 1] * proj[1 * 4 + j] +
                              modl[i * 4 + 2] * proj[2 * 4 + j] + modl[i * 4 + 3] * proj[3 * 4 + j];
        }
    }
    // Each plane is row 3 of clip plus or minus one of the rows 0 to 2 (the elements clip[r],
    // clip[4 + r], clip[8 + r], clip[12 + r] of the column-major array), made unit at once. Adding
    // the row times -1 gives exactly the same float as subtracting it.
    static const int rows[6] = {0, 0, 1, 1, 2, 2};
    static const float signs[6] = {-1.0f, 1.0f, 1.0f, -1.0f, -1.0f, 1.0f};
    for (int p = 0; p < 6; ++p) {
        for (int k = 0; k < 4; ++k) {
            planes[p][k] = clip[k * 4 + 3] + signs[p] * clip[k * 4 + rows[p]];
        }
        UnitPlane(p);
    }
}

void Frustum::UnitPlane(int i) {
    float* plane = planes[i];
    const float m = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
    plane[0] /= m;
    plane[1] /= m;
    plane[2] /= m;
    plane[3] /= m;
}

bool Frustum::CubeVisible(float x, float y, float z, float size) const {
    const float xs[2] = {x - size, x + size};
    const float ys[2] = {y - size, y + size};
    const float zs[2] = {z - size, z + size};
    for (int p = 0; p < 6; ++p) {
        const float* plane = planes[p];
        bool inside = false;
        // Corner order: x varies fastest, then y, then z; the first corner strictly inside will do.
        for (int corner = 0; corner < 8 && !inside; ++corner) {
            const float cx = xs[corner & 1];
            const float cy = ys[(corner >> 1) & 1];
            const float cz = zs[(corner >> 2) & 1];
            inside = plane[0] * cx + plane[1] * cy + plane[2] * cz + plane[3] > 0.0f;
        }
        if (!inside) {
            return false;
        }
    }
    return true;
}
