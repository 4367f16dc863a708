#include "model/ModelObject.hpp"
#include "octree/LeafFaces.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"

#include "geometry/Collision.hpp"

bool Octree::Collide(const ModelObject& object, const Model& model, OctreeStats& counts) const {
    return Collide(object.position, object.radius, model, counts);
}

bool Octree::Collide(Vector3 sphereCentre, float radius, const Model& model, OctreeStats& counts) const {
    ++counts.collideNodesTested;
    if (!SphereOverlapsCube(sphereCentre, radius, centre.x, centre.y, centre.z, width * 0.5f)) {
        return false;
    }
    if (subdivided) {
        // Depth first in octant order; the first contact ends the search.
        for (const std::unique_ptr<Octree>& child : children) {
            if (child && child->Collide(sphereCentre, radius, model, counts)) {
                return true;
            }
        }
        return false;
    }
    return AnyLeafFace(*this, model, [sphereCentre, radius, &counts](const Vector3* triangle) {
        ++counts.facesTested;
        return SphereTouchesPolygon(triangle, sphereCentre, 3, radius);
    });
}
