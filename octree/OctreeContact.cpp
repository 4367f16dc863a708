#include "geometry/Collision.hpp"
#include "geometry/Contact.hpp"
#include "octree/LeafFaces.hpp"
#include "octree/Octree.hpp"

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

} // namespace

bool Octree::SinksIntoFace(Vector3 before, Vector3 after, float radius, const Model& model) const {
    return AnyFaceNear(*this, after, radius, model, [before, after, radius](const Vector3* triangle) {
        const double now = TriangleDistance(after, triangle);
        return now < radius && SinksDeeper(TriangleDistance(before, triangle), now, radius);
    });
}

bool Octree::MoveHeadsIntoFace(Vector3 centre, float radius, Vector3 move, const Model& model) const {
    return AnyFaceNear(*this, centre, radius, model, [centre, radius, move](const Vector3* triangle) {
        return TriangleDistance(centre, triangle) < radius && MoveHeadsIntoTriangle(centre, move, triangle);
    });
}
