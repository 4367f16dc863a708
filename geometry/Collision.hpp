#pragma once

#include "geometry/Vector3.hpp"

// Sphere tests against planes, convex polygons and axis-aligned cubes. They answer yes or no only:
// no contact point, depth or push-out. None of them allocates or changes its inputs.

// Where a sphere lies relative to a plane.
enum PlaneSide : int {
    Behind = 0,   // wholly on the side opposite the normal
    Crossing = 1, // the plane passes through the sphere (touching it exactly does not count)
    InFront = 2,  // wholly on the side the normal points to
};

// Classifies the sphere (centre, radius) against the plane through point with unit normal; writes
// the centre's signed distance from the plane into distance.
PlaneSide ClassifySphereToPlane(Vector3 centre, Vector3 normal, Vector3 point, float radius, float& distance);

// True when the angles the polygon's edges subtend at point add up to at least 99% of a full turn:
// inside or on an edge, but not on a vertex. polygon holds count consecutive vertices.
bool PointInPolygon(Vector3 point, const Vector3* polygon, int count);

// True when some edge of the polygon comes strictly closer to centre than radius.
bool SphereTouchesEdges(Vector3 centre, const Vector3* polygon, int count, float radius);

// True when the sphere strictly crosses the plane of the convex, planar polygon (normal from its
// first three vertices) and either its centre projects into the polygon or an edge is nearer than
// radius. A polygon of fewer than three vertices has no plane and touches nothing.
bool SphereTouchesPolygon(const Vector3* polygon, Vector3 centre, int count, float radius);

// True when the sphere reaches the axis-aligned cube with centre (x, y, z) and half edge h, touching
// included: the squared distance from centre to the cube is at most radius squared.
bool SphereOverlapsCube(Vector3 centre, float radius, float x, float y, float z, float h);
