#pragma once

#include "geometry/Vector3.hpp"

// Where a penguin's sphere meets a face or a box: the true distance from its centre to the nearest
// point of either, and whether a move heads towards that point. The rules use them to tell a key
// that points into what the penguin touches from one that points away, and to keep a move from
// sinking the sphere into a face. Worked out in double precision with nothing but the basic
// operations and the square root, so every build gives the same answers; they allocate nothing and
// change none of their inputs.

// How much deeper than it began a move may sink the sphere into any one face or block, in world
// units: far below what shows, and well above what the search for the longest allowed move leaves.
constexpr double kSinkTolerance = 0.01;

// The distance from p to the nearest point of the triangle, its inside, edges and corners included.
// A degenerate triangle (no area) is taken as its longest edge.
double TriangleDistance(Vector3 p, const Vector3 triangle[3]);

// True when move, made from centre, heads towards the triangle's nearest point: it shortens the
// distance to that point at once (a positive dot product). A move along the face does not.
bool MoveHeadsIntoTriangle(Vector3 centre, Vector3 move, const Vector3 triangle[3]);

// The distance from p to the closed box from low to low + size; 0 inside it.
double BoxDistance(Vector3 p, Vector3 low, Vector3 size);

// True when move, made from centre, heads towards the box's nearest point (as for a triangle); a
// centre inside the box heads into it whichever way it moves.
bool MoveHeadsIntoBox(Vector3 centre, Vector3 move, Vector3 low, Vector3 size);

// True when move, made from centre, heads towards the point other (another penguin's centre).
bool MoveHeadsIntoPoint(Vector3 centre, Vector3 move, Vector3 other);

// True when a sphere of radius whose centre was `before` from a face or block at the start of the
// frame and is `after` from it now has sunk into it deeper than it began, by more than
// kSinkTolerance: a sphere that began clear may come no more than the tolerance inside.
bool SinksDeeper(double before, double after, float radius);
