#include "model/ModelObject.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"

#include <GL/gl.h>

bool Octree::Collide(const ModelObject& object, const Model& model) const {
    ++octreeStats.collideNodesTested;
    if (!object.SphereOverlapsCube(centre.x, centre.y, centre.z, width * 0.5f)) {
        return false;
    }
    if (subdivided) {
        // Depth first in octant order; the first contact ends the search.
        for (const std::unique_ptr<Octree>& child : children) {
            if (child && child->Collide(object, model)) {
                return true;
            }
        }
        return false;
    }
    if (!leafModel) {
        return false;
    }
    const int levelObjects = static_cast<int>(model.objects.size());
    const int records = static_cast<int>(leafModel->objects.size());
    for (const std::int32_t i : objectIndices) {
        if (i < 0 || i >= levelObjects || i >= records) {
            continue;
        }
        const MeshObject& level = model.objects[i];
        const MeshObject& record = leafModel->objects[i];
        for (int f = 0; f < record.faceCount; ++f) {
            const std::uint32_t* corner = record.indices + 3 * f;
            // The build kept only faces inside their object's vertex array; a model other than the
            // one the tree was built from is still never read past its end.
            if (!VertexInRange(level, std::int32_t(corner[0])) ||
                !VertexInRange(level, std::int32_t(corner[1])) ||
                !VertexInRange(level, std::int32_t(corner[2]))) {
                continue;
            }
            const Vector3 triangle[3] = {level.vertices[corner[0]], level.vertices[corner[1]],
                                         level.vertices[corner[2]]};
            ++octreeStats.facesTested;
            if (object.SphereTouchesTriangle(triangle)) {
                glColor3f(1.0f, 1.0f, 1.0f);
                return true;
            }
        }
    }
    return false;
}
