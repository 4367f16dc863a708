#pragma once

// The six clipping planes of the view, each (a, b, c, d) with (a, b, c) a unit normal pointing into
// the view volume: a point is on the inner side when a*x + b*y + c*z + d > 0, and that value is its
// distance from the plane in world units. All zero before the first rebuild, so every cube fails.
struct Frustum {
    enum PlaneIndex { Right = 0, Left = 1, Bottom = 2, Top = 3, Far = 4, Near = 5 };

    float planes[6][4];

    // Rebuilds the planes from column-major projection and modelview matrices (clip = proj x modl).
    // Issues no GL calls.
    void PlanesFromMatrices(const float* proj, const float* modl);

    // Divides plane i's four numbers by the length of its (a, b, c); no check for a zero length.
    void UnitPlane(int i);

    // False when the cube with centre (x, y, z) and half edge size lies wholly outside one plane (no
    // corner strictly inside it); true otherwise, which includes some cubes near the volume's edges.
    bool CubeVisible(float x, float y, float z, float size) const;
};
