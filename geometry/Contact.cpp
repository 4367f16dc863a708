#include "geometry/Contact.hpp"

#include "geometry/DoubleVector.hpp"

#include <cmath>

namespace {

// The point of segment a-b nearest to p; a for a zero-length segment.
DoubleVector NearestOnSegment(DoubleVector p, DoubleVector a, DoubleVector b) {
    const DoubleVector ab = Minus(b, a);
    const double length2 = Dot(ab, ab);
    if (length2 == 0.0) {
        return a;
    }
    double t = Dot(Minus(p, a), ab) / length2;
    t = t < 0.0 ? 0.0 : t > 1.0 ? 1.0 : t;
    return Plus(a, Scaled(ab, t));
}

// The nearest point of the triangle to p, by the region of the triangle's plane p projects into:
// a corner's, an edge's or the inside's.
DoubleVector NearestOnTriangle(DoubleVector p, const Vector3 triangle[3]) {
    const DoubleVector a = Widened(triangle[0]);
    const DoubleVector b = Widened(triangle[1]);
    const DoubleVector c = Widened(triangle[2]);
    const DoubleVector ab = Minus(b, a);
    const DoubleVector ac = Minus(c, a);
    const DoubleVector bc = Minus(c, b);
    const double abac = Dot(ab, ac);
    const double area2 = Dot(ab, ab) * Dot(ac, ac) - abac * abac;
    if (!(area2 > 0.0)) {
        // No area: the longest edge spans the other two.
        const double lab = Dot(ab, ab), lac = Dot(ac, ac), lbc = Dot(bc, bc);
        if (lab >= lac && lab >= lbc) {
            return NearestOnSegment(p, a, b);
        }
        return lac >= lbc ? NearestOnSegment(p, a, c) : NearestOnSegment(p, b, c);
    }
    const DoubleVector ap = Minus(p, a);
    const double d1 = Dot(ab, ap);
    const double d2 = Dot(ac, ap);
    if (d1 <= 0.0 && d2 <= 0.0) {
        return a;
    }
    const DoubleVector bp = Minus(p, b);
    const double d3 = Dot(ab, bp);
    const double d4 = Dot(ac, bp);
    if (d3 >= 0.0 && d4 <= d3) {
        return b;
    }
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0 && d1 >= 0.0 && d3 <= 0.0) {
        return Plus(a, Scaled(ab, d1 / (d1 - d3)));
    }
    const DoubleVector cp = Minus(p, c);
    const double d5 = Dot(ab, cp);
    const double d6 = Dot(ac, cp);
    if (d6 >= 0.0 && d5 <= d6) {
        return c;
    }
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0 && d2 >= 0.0 && d6 <= 0.0) {
        return Plus(a, Scaled(ac, d2 / (d2 - d6)));
    }
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0.0 && (d4 - d3) >= 0.0 && (d5 - d6) >= 0.0) {
        return Plus(b, Scaled(bc, (d4 - d3) / ((d4 - d3) + (d5 - d6))));
    }
    const double denominator = va + vb + vc;
    return Plus(a, Plus(Scaled(ab, vb / denominator), Scaled(ac, vc / denominator)));
}

DoubleVector NearestOnBox(DoubleVector p, Vector3 low, Vector3 size) {
    const double lo[3] = {low.x, low.y, low.z};
    const double hi[3] = {double(low.x) + size.x, double(low.y) + size.y, double(low.z) + size.z};
    double c[3] = {p.x, p.y, p.z};
    for (int axis = 0; axis < 3; ++axis) {
        c[axis] = c[axis] < lo[axis] ? lo[axis] : c[axis] > hi[axis] ? hi[axis] : c[axis];
    }
    return {c[0], c[1], c[2]};
}

double Distance(DoubleVector a, DoubleVector b) {
    const DoubleVector d = Minus(a, b);
    return std::sqrt(Dot(d, d));
}

bool HeadsTowards(DoubleVector centre, Vector3 move, DoubleVector nearest) {
    return Dot(Widened(move), Minus(nearest, centre)) > 0.0;
}

} // namespace

double TriangleDistance(Vector3 p, const Vector3 triangle[3]) {
    const DoubleVector q = Widened(p);
    return Distance(q, NearestOnTriangle(q, triangle));
}

bool MoveHeadsIntoTriangle(Vector3 centre, Vector3 move, const Vector3 triangle[3]) {
    const DoubleVector c = Widened(centre);
    return HeadsTowards(c, move, NearestOnTriangle(c, triangle));
}

double BoxDistance(Vector3 p, Vector3 low, Vector3 size) {
    const DoubleVector q = Widened(p);
    return Distance(q, NearestOnBox(q, low, size));
}

bool MoveHeadsIntoBox(Vector3 centre, Vector3 move, Vector3 low, Vector3 size) {
    const DoubleVector c = Widened(centre);
    const DoubleVector nearest = NearestOnBox(c, low, size);
    const DoubleVector gap = Minus(nearest, c);
    if (Dot(gap, gap) == 0.0) {
        return true;
    }
    return HeadsTowards(c, move, nearest);
}

bool MoveHeadsIntoPoint(Vector3 centre, Vector3 move, Vector3 other) {
    return HeadsTowards(Widened(centre), move, Widened(other));
}

bool SinksDeeper(double before, double after, float radius) {
    const double began = before < radius ? before : double(radius);
    return after < began - kSinkTolerance;
}
