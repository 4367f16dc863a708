#include "geometry/PathTests.hpp"

#include "geometry/DoubleVector.hpp"

namespace {

// Barycentric coordinates a hair below zero still count as inside, so rounding never opens a gap
// along the edge two faces share.
constexpr double kEdgeTolerance = 1e-9;

} // namespace

bool PathCrossesTriangle(Vector3 from, Vector3 to, const Vector3 triangle[3]) {
    const DoubleVector a = Widened(triangle[0]);
    const DoubleVector b = Widened(triangle[1]);
    const DoubleVector c = Widened(triangle[2]);
    const DoubleVector n = Cross(Minus(b, a), Minus(c, a));
    const double area2 = Dot(n, n);
    if (area2 == 0.0) {
        return false;
    }
    const DoubleVector p0 = Widened(from);
    const DoubleVector p1 = Widened(to);
    const double d0 = Dot(n, Minus(p0, a));
    const double d1 = Dot(n, Minus(p1, a));
    // Starting on the plane, staying on one side, or ending short of it: no crossing.
    if (d0 == 0.0 || (d0 > 0.0 && d1 > 0.0) || (d0 < 0.0 && d1 < 0.0)) {
        return false;
    }
    const double t = d0 / (d0 - d1);
    const DoubleVector hit = {p0.x + (p1.x - p0.x) * t, p0.y + (p1.y - p0.y) * t, p0.z + (p1.z - p0.z) * t};
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
    const DoubleVector d = Minus(Widened(a), Widened(b));
    const double reach = 2.0 * radius;
    return Dot(d, d) <= reach * reach;
}

bool PathEntersSphere(Vector3 from, Vector3 to, Vector3 centre, float radius) {
    const DoubleVector c = Widened(centre);
    const DoubleVector start = Minus(Widened(from), c);
    const DoubleVector end = Minus(Widened(to), c);
    const double r2 = static_cast<double>(radius) * radius;
    const double startDistance2 = Dot(start, start);
    if (startDistance2 < r2) {
        return Dot(end, end) < startDistance2;
    }
    // The point of the path nearest to the centre: its parameter along the path, held to the path.
    const DoubleVector path = Minus(end, start);
    const double length2 = Dot(path, path);
    double t = length2 > 0.0 ? -Dot(start, path) / length2 : 0.0;
    t = t < 0.0 ? 0.0 : t > 1.0 ? 1.0 : t;
    const DoubleVector nearest = {start.x + path.x * t, start.y + path.y * t, start.z + path.z * t};
    return Dot(nearest, nearest) < r2;
}
