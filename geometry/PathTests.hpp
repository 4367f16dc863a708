#pragma once

#include "geometry/Vector3.hpp"

// Tests of a straight move of a point (the penguin's centre) and of the penguin's sphere against the
// level's faces and the solid blocks, so that no move carries the penguin through a wall or a closed
// door. They answer yes or no, allocate nothing and change none of their inputs. Worked out in
// double precision, so a path through the shared edge of two faces meets at least one of them.

// True when the path from `from` to `to` crosses the triangle: `from` lies off the triangle's
// plane and the path reaches or passes the plane at a point of the triangle, edges and corners
// included. A path that starts on the plane, or a degenerate triangle, crosses nothing.
bool PathCrossesTriangle(Vector3 from, Vector3 to, const Vector3 triangle[3]);

// True when the path from `from` to `to` reaches the closed box from low to low + size while
// `from` lies outside it. A path that starts inside the box (a door came down on the penguin) never
// enters it, so the penguin can always walk out.
bool PathEntersBox(Vector3 from, Vector3 to, Vector3 low, Vector3 size);

// True when the sphere reaches the closed box from low to low + size, touching included: the
// squared distance from centre to the box is at most radius squared (as for the octree's cubes).
bool SphereTouchesBox(Vector3 centre, float radius, Vector3 low, Vector3 size);

// True when two spheres of the same radius touch, touching included: their centres are at most two
// radii apart.
bool SpheresTouch(Vector3 a, Vector3 b, float radius);

// True when the path from `from` to `to` comes nearer to centre than radius while `from` lies
// outside that sphere; from inside it, true when `to` is nearer to centre than `from` is. So a
// centre never enters another penguin's sphere, and one already inside can only move out.
bool PathEntersSphere(Vector3 from, Vector3 to, Vector3 centre, float radius);
