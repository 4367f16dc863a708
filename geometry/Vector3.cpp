#include "geometry/Vector3.hpp"

#include "geometry/PortableMath.hpp"

#include <cmath>

Vector3 VectorFromPoints(Vector3 p1, Vector3 p2) {
    return p1 - p2;
}

Vector3 DivideByScalar(Vector3 v, float s) {
    return v / s;
}

Vector3 CrossProduct(Vector3 a, Vector3 b) {
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float DotProduct(Vector3 a, Vector3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// sqrt is correctly rounded under IEEE 754 (one SSE2 instruction), so lengths agree on both builds.
float Length(Vector3 v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

Vector3 Normalized(Vector3 v) {
    const float m = Length(v);
    if (m == 0.0f) {
        return v;
    }
    return v / m;
}

float PointDistance(Vector3 p1, Vector3 p2) {
    const float dx = p2.x - p1.x;
    const float dy = p2.y - p1.y;
    const float dz = p2.z - p1.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

Vector3 TriangleNormal(const Vector3* t) {
    return Normalized(CrossProduct(t[2] - t[0], t[1] - t[0]));
}

float PlaneOffset(Vector3 n, Vector3 p) {
    return -(n.x * p.x + n.y * p.y + n.z * p.z);
}

double AngleBetween(Vector3 a, Vector3 b) {
    const float dot = DotProduct(a, b);
    // The first length is rounded to a float; the product is formed in double precision.
    const double product = static_cast<double>(Length(a)) * static_cast<double>(Length(b));
    // The game's own arc cosine: the maths libraries of the two builds round differently.
    const double angle = ArcCosine(static_cast<double>(dot) / product);
    if (std::isnan(angle)) {
        return 0.0;
    }
    return angle;
}

Vector3 NearestPointOnSegment(Vector3 a, Vector3 b, Vector3 p) {
    const Vector3 w = p - a;
    const Vector3 dir = Normalized(b - a);
    const float len = PointDistance(a, b);
    const float t = DotProduct(dir, w);
    // Tested in this order, so a zero-length segment (dir zero, t zero) returns a.
    if (t <= 0.0f) {
        return a;
    }
    if (t >= len) {
        return b;
    }
    return a + dir * t;
}
