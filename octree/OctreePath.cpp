#include "geometry/PathTests.hpp"
#include "geometry/SegmentHits.hpp"
#include "octree/LeafFaces.hpp"
#include "octree/Octree.hpp"

#include <algorithm>

namespace {

// True when the box around the path, grown by reach on every side, overlaps the node's cube.
bool PathBoxOverlapsCube(Vector3 from, Vector3 to, float reach, Vector3 centre, float half) {
    const float a[3] = {from.x, from.y, from.z};
    const float b[3] = {to.x, to.y, to.z};
    const float c[3] = {centre.x, centre.y, centre.z};
    for (int axis = 0; axis < 3; ++axis) {
        if (std::max(a[axis], b[axis]) + reach < c[axis] - half ||
            std::min(a[axis], b[axis]) - reach > c[axis] + half) {
            return false;
        }
    }
    return true;
}

} // namespace

bool Octree::PathCrossesFace(Vector3 from, Vector3 to, float reach, const Model& model) const {
    if (!PathBoxOverlapsCube(from, to, reach, centre, width * 0.5f)) {
        return false;
    }
    if (subdivided) {
        for (const std::unique_ptr<Octree>& child : children) {
            if (child && child->PathCrossesFace(from, to, reach, model)) {
                return true;
            }
        }
        return false;
    }
    return AnyLeafFace(*this, model, [from, to](const Vector3* triangle) {
        return PathCrossesTriangle(from, to, triangle);
    });
}

double Octree::FirstFaceOnSegment(Vector3 from, Vector3 to, const Model& model) const {
    if (!PathBoxOverlapsCube(from, to, 0.0f, centre, width * 0.5f)) {
        return kNoHit;
    }
    double nearest = kNoHit;
    if (subdivided) {
        for (const std::unique_ptr<Octree>& child : children) {
            if (child) {
                nearest = std::min(nearest, child->FirstFaceOnSegment(from, to, model));
            }
        }
        return nearest;
    }
    // Visits every face: the test never accepts one, it only keeps the nearest meeting.
    AnyLeafFace(*this, model, [from, to, &nearest](const Vector3* triangle) {
        nearest = std::min(nearest, SegmentTriangleHit(from, to, triangle));
        return false;
    });
    return nearest;
}
