#pragma once

#include "geometry/Vector3.hpp"

// A point or direction widened to double, for the tests of paths, segments and contacts against
// faces and boxes, which are worked out in double precision so that rounding never opens a gap between faces.
struct DoubleVector {
    double x, y, z;
};

inline DoubleVector Widened(Vector3 v) {
    return {v.x, v.y, v.z};
}
inline DoubleVector Minus(DoubleVector a, DoubleVector b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline DoubleVector Plus(DoubleVector a, DoubleVector b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline DoubleVector Scaled(DoubleVector a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline DoubleVector Cross(DoubleVector a, DoubleVector b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Dot(DoubleVector a, DoubleVector b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
