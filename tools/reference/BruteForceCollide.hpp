#pragma once

// The sphere query without a tree: every face of every object against the sphere, in order, up to
// the first contact. The benchmarks set the octree's Collide against it.

#include "geometry/Collision.hpp"
#include "model/Model.hpp"

#include <cstdint>

namespace testing_tools {

// True when the sphere touches a face of model; tested (when given) counts the faces tried.
inline bool BruteForceTouches(const Model& model, Vector3 centre, float radius,
                              std::int64_t* tested = nullptr) {
    for (const MeshObject& object : model.objects) {
        for (const Face& face : object.faces) {
            const Vector3 triangle[3] = {object.vertices[face.vertexIndex[0]],
                                         object.vertices[face.vertexIndex[1]],
                                         object.vertices[face.vertexIndex[2]]};
            if (tested != nullptr) {
                ++*tested;
            }
            if (SphereTouchesPolygon(triangle, centre, 3, radius)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace testing_tools
