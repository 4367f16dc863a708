#pragma once

#include "geometry/Vector3.hpp"

// Where a segment first meets a face or a box, as a fraction of the way from its start: what the
// drawing needs to keep the eye in front of the walls. Worked out in double precision with plain
// arithmetic, so both builds give the same bits. Allocate nothing, change none of their inputs.

// Returned when the segment meets nothing: greater than every fraction of the segment.
inline constexpr double kNoHit = 2.0;

// The fraction in [0, 1] at which the segment from `from` to `to` meets the triangle (either side,
// edges included); kNoHit when it misses, lies in the triangle's plane, or the triangle is degenerate.
double SegmentTriangleHit(Vector3 from, Vector3 to, const Vector3 triangle[3]);

// The fraction in [0, 1] at which the segment from `from` to `to` enters the closed box from low to
// low + size; kNoHit when it misses the box or starts inside it (a block that came down on the
// penguin hides nothing from its own eye).
double SegmentBoxHit(Vector3 from, Vector3 to, Vector3 low, Vector3 size);
