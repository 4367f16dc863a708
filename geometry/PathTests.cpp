#include "geometry/PathTests.hpp"

namespace {

struct Point {
    double x, y, z;
};

Point ToPoint(Vector3 v) {
    return {v.x, v.y, v.z};
}
Point Minus(Point a, Point b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Point Cross(Point a, Point b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(Point a, Point b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Barycentric coordinates a hair below zero still count as inside, so rounding never opens a gap
// along the edge two faces share.
constexpr double kEdgeTolerance = 1e-9;

} // namespace

bool PathCrossesTriangle(Vector3 from, Vector3 to, const Vector3 triangle[3]) {
    const Point a = ToPoint(triangle[0]);
    const Point b = ToPoint(triangle[1]);
    const Point c = ToPoint(triangle[2]);
    const Point n = Cross(Minus(b, a), Minus(c, a));
    const double area2 = Dot(n, n);
    if (area2 == 0.0) {
        return false;
    }
    const Point p0 = ToPoint(from);
    const Point p1 = ToPoint(to);
    const double d0 = Dot(n, Minus(p0, a));
    const double d1 = Dot(n, Minus(p1, a));
    // Starting on the plane, staying on one side, or ending short of it: no crossing.
    if (d0 == 0.0 || (d0 > 0.0 && d1 > 0.0) || (d0 < 0.0 && d1 < 0.0)) {
        return false;
    }
    const double t = d0 / (d0 - d1);
    const Point hit = {p0.x + (p1.x - p0.x) * t, p0.y + (p1.y - p0.y) * t, p0.z + (p1.z - p0.z) * t};
    const double u = Dot(n, Cross(Minus(c, b), Minus(hit, b))) / area2;
    const double v = Dot(n, Cross(Minus(a, c), Minus(hit, c))) / area2;
    const double w = Dot(n, Cross(Minus(b, a), Minus(hit, a))) / area2;
    return u >= -kEdgeTolerance && v >= -kEdgeTolerance && w >= -kEdgeTolerance;
}

bool PathEntersBox(Vector3 from, Vector3 to, Vector3 low, Vector3 size) {
    const double p0[3] = {from.x, from.y, from.z};
    const double p1[3] = {to.x, to.y, to.z};
    const double lo[3] = {low.x, low.y, low.z};
    const double hi[3] = {double(low.x) + size.x, double(low.y) + size.y, double(low.z) + size.z};
    bool inside = true;
    for (int axis = 0; axis < 3; ++axis) {
        inside = inside && p0[axis] >= lo[axis] && p0[axis] <= hi[axis];
    }
    if (inside) {
        return false;
    }
    // The part of the path within every slab of the box, as a range of the path's parameter.
    double enter = 0.0;
    double leave = 1.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double d = p1[axis] - p0[axis];
        if (d == 0.0) {
            if (p0[axis] < lo[axis] || p0[axis] > hi[axis]) {
                return false;
            }
            continue;
        }
        double t0 = (lo[axis] - p0[axis]) / d;
        double t1 = (hi[axis] - p0[axis]) / d;
        if (t0 > t1) {
            const double swap = t0;
            t0 = t1;
            t1 = swap;
        }
        enter = t0 > enter ? t0 : enter;
        leave = t1 < leave ? t1 : leave;
    }
    return enter <= leave;
}

bool SphereTouchesBox(Vector3 centre, float radius, Vector3 low, Vector3 size) {
    const double c[3] = {centre.x, centre.y, centre.z};
    const double lo[3] = {low.x, low.y, low.z};
    const double hi[3] = {double(low.x) + size.x, double(low.y) + size.y, double(low.z) + size.z};
    double s = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double gap = c[axis] < lo[axis]   ? lo[axis] - c[axis]
                           : c[axis] > hi[axis] ? c[axis] - hi[axis]
                                                : 0.0;
        s += gap * gap;
    }
    return double(radius) * radius >= s;
}

bool SpheresTouch(Vector3 a, Vector3 b, float radius) {
    const Point d = Minus(ToPoint(a), ToPoint(b));
    const double reach = 2.0 * radius;
    return Dot(d, d) <= reach * reach;
}

bool PathEntersSphere(Vector3 from, Vector3 to, Vector3 centre, float radius) {
    const Point c = ToPoint(centre);
    const Point start = Minus(ToPoint(from), c);
    const Point end = Minus(ToPoint(to), c);
    const double r2 = static_cast<double>(radius) * radius;
    const double startDistance2 = Dot(start, start);
    if (startDistance2 < r2) {
        return Dot(end, end) < startDistance2;
    }
    // The point of the path nearest to the centre: its parameter along the path, held to the path.
    const Point path = Minus(end, start);
    const double length2 = Dot(path, path);
    double t = length2 > 0.0 ? -Dot(start, path) / length2 : 0.0;
    t = t < 0.0 ? 0.0 : t > 1.0 ? 1.0 : t;
    const Point nearest = {start.x + path.x * t, start.y + path.y * t, start.z + path.z * t};
    return Dot(nearest, nearest) < r2;
}
