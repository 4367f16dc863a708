#pragma once

// The one vector type of the game: positions, directions, normals, vertex arrays, node centres.
// Three packed 32-bit floats and nothing else, so an array of Vector3 can be handed to the GL array
// calls as a flat run of floats. Every operation returns a new value; none changes its operands.
struct Vector3 {
    float x, y, z;

    // Leaves the components unset: every caller assigns them before reading.
    Vector3() = default;
    constexpr Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    Vector3 operator+(Vector3 b) const { return Vector3(x + b.x, y + b.y, z + b.z); }
    Vector3 operator-(Vector3 b) const { return Vector3(x - b.x, y - b.y, z - b.z); }
    Vector3 operator*(float s) const { return Vector3(x * s, y * s, z * s); }
    // No check of s: a zero divisor gives IEEE infinities or NaNs, and no caller relies on either.
    Vector3 operator/(float s) const { return Vector3(x / s, y / s, z / s); }
};

static_assert(sizeof(Vector3) == 3 * sizeof(float), "Vector3 must stay three packed floats");

// p1 - p2: the vector from p2 to p1.
Vector3 VectorFromPoints(Vector3 p1, Vector3 p2);
Vector3 DivideByScalar(Vector3 v, float s);
// Right-handed a x b.
Vector3 CrossProduct(Vector3 a, Vector3 b);
float DotProduct(Vector3 a, Vector3 b);
float Length(Vector3 v);
// v / Length(v); the zero vector comes back unchanged (no tolerance: any non-zero length divides).
Vector3 Normalized(Vector3 v);
float PointDistance(Vector3 p1, Vector3 p2);
// Normalized((t[2] - t[0]) x (t[1] - t[0])): a counter-clockwise triangle's normal points away from
// its viewer. t points at three consecutive vertices.
Vector3 TriangleNormal(const Vector3* t);
// The constant d of the plane n.X + d = 0 through p.
float PlaneOffset(Vector3 n, Vector3 p);
// Radians in [0, pi]; 0 whenever the arc cosine gives NaN (a zero vector, or rounding past +-1).
double AngleBetween(Vector3 a, Vector3 b);
// The point of segment a-b nearest to p; a for a zero-length segment.
Vector3 NearestPointOnSegment(Vector3 a, Vector3 b, Vector3 p);
