#include "geometry/SegmentHits.hpp"

#include "geometry/DoubleVector.hpp"

double SegmentTriangleHit(Vector3 from, Vector3 to, const Vector3 triangle[3]) {
    // The segment and two edges as a 3 x 3 system solved by Cramer's rule: from + t (to - from) =
    // a + u (b - a) + v (c - a).
    const DoubleVector origin = Widened(from);
    const DoubleVector direction = Minus(Widened(to), origin);
    const DoubleVector a = Widened(triangle[0]);
    const DoubleVector e1 = Minus(Widened(triangle[1]), a);
    const DoubleVector e2 = Minus(Widened(triangle[2]), a);
    const DoubleVector p = Cross(direction, e2);
    const double det = Dot(e1, p);
    if (det == 0.0) {
        return kNoHit;
    }
    const DoubleVector s = Minus(origin, a);
    const double u = Dot(s, p) / det;
    const DoubleVector q = Cross(s, e1);
    const double v = Dot(direction, q) / det;
    const double t = Dot(e2, q) / det;
    if (u < 0.0 || v < 0.0 || u + v > 1.0 || t <= 0.0 || t > 1.0) {
        return kNoHit;
    }
    return t;
}

double SegmentBoxHit(Vector3 from, Vector3 to, Vector3 low, Vector3 size) {
    const double start[3] = {from.x, from.y, from.z};
    const double end[3] = {to.x, to.y, to.z};
    const double lo[3] = {low.x, low.y, low.z};
    const double hi[3] = {double(low.x) + size.x, double(low.y) + size.y, double(low.z) + size.z};
    // The range of the segment's parameter within all three slabs of the box.
    double enter = 0.0;
    double leave = 1.0;
    bool startsInside = true;
    for (int axis = 0; axis < 3; ++axis) {
        startsInside = startsInside && start[axis] >= lo[axis] && start[axis] <= hi[axis];
        const double d = end[axis] - start[axis];
        if (d == 0.0) {
            if (start[axis] < lo[axis] || start[axis] > hi[axis]) {
                return kNoHit;
            }
            continue;
        }
        const double t0 = (lo[axis] - start[axis]) / d;
        const double t1 = (hi[axis] - start[axis]) / d;
        enter = t0 < t1 ? (t0 > enter ? t0 : enter) : (t1 > enter ? t1 : enter);
        leave = t0 < t1 ? (t1 < leave ? t1 : leave) : (t0 < leave ? t0 : leave);
    }
    return startsInside || enter > leave ? kNoHit : enter;
}
