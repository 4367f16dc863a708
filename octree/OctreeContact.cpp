#include "geometry/Collision.hpp"
#include "geometry/Contact.hpp"
#include "octree/LeafFaces.hpp"
#include "octree/Octree.hpp"

#include <algorithm>

namespace {

// Calls test(triangle) for the faces of every leaf under node whose cube the sphere (centre, radius)
// overlaps, as the contact query descends; true at the first face test accepts.
template <typename FaceTest>
bool AnyFaceNear(const Octree& node, Vector3 centre, float radius, const Model& model, FaceTest test) {
    if (!SphereOverlapsCube(centre, radius, node.centre.x, node.centre.y, node.centre.z, node.width * 0.5f)) {
        return false;
    }
    if (node.subdivided) {
        for (const std::unique_ptr<Octree>& child : node.children) {
            if (child && AnyFaceNear(*child, centre, radius, model, test)) {
                return true;
            }
        }
        return false;
    }
    return AnyLeafFace(node, model, test);
}

// False when p lies further than reach from the triangle's bounding box on some axis, so further than
// reach from the triangle: the cheap test that spares most faces of a leaf the full distance.
bool NearTriangleBox(Vector3 p, const Vector3* triangle, float reach) {
    const float point[3] = {p.x, p.y, p.z};
    for (int axis = 0; axis < 3; ++axis) {
        const float a = (&triangle[0].x)[axis];
        const float b = (&triangle[1].x)[axis];
        const float c = (&triangle[2].x)[axis];
        const double low = std::min(a, std::min(b, c));
        const double high = std::max(a, std::max(b, c));
        if (point[axis] < low - reach || point[axis] > high + reach) {
            return false;
        }
    }
    return true;
}

} // namespace

bool Octree::SinksIntoFace(Vector3 before, Vector3 after, float radius, const Model& model) const {
    return AnyFaceNear(*this, after, radius, model, [before, after, radius](const Vector3* triangle) {
        if (!NearTriangleBox(after, triangle, radius)) {
            return false;
        }
        const double now = TriangleDistance(after, triangle);
        return now < radius && SinksDeeper(TriangleDistance(before, triangle), now, radius);
    });
}

bool Octree::MoveHeadsIntoFace(Vector3 centre, float radius, Vector3 move, const Model& model) const {
    return AnyFaceNear(*this, centre, radius, model, [centre, radius, move](const Vector3* triangle) {
        return NearTriangleBox(centre, triangle, radius) && TriangleDistance(centre, triangle) < radius &&
               MoveHeadsIntoTriangle(centre, move, triangle);
    });
}
