#include "model/ModelObject.hpp"
#include "octree/LeafFaces.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"

#include <GL/gl.h>

bool Octree::Collide(const ModelObject& object, const Model& model, OctreeStats& counts) const {
    ++counts.collideNodesTested;
    if (!object.SphereOverlapsCube(centre.x, centre.y, centre.z, width * 0.5f)) {
        return false;
    }
    if (subdivided) {
        // Depth first in octant order; the first contact ends the search.
        for (const std::unique_ptr<Octree>& child : children) {
            if (child && child->Collide(object, model, counts)) {
                return true;
            }
        }
        return false;
    }
    return AnyLeafFace(*this, model, [&object, &counts](const Vector3* triangle) {
        ++counts.facesTested;
        if (object.SphereTouchesTriangle(triangle)) {
            glColor3f(1.0f, 1.0f, 1.0f);
            return true;
        }
        return false;
    });
}
