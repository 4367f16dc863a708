#pragma once

// The vertex normals as a per-vertex scan of all faces: the straightforward form whose time grows
// with vertices times faces, kept to check the game's one-pass build bit for bit (tests) and to
// measure it against (benchmarks).

#include "model/Model.hpp"

#include <vector>

namespace testing_tools {

// The per-vertex scan over all faces, kept as the reference: for each vertex, in face order, add
// the unnormalised (p0 - p2) x (p2 - p1) of every face naming it once, then normalise the sum over
// the negated count. Faces reaching outside the vertices are left out; unused vertices get zero.
inline std::vector<Vector3> ReferenceNormals(const MeshObject& object) {
    const int vertexCount = object.VertexCount();
    const int faceCount = object.FaceCount();
    std::vector<Vector3> scratch(faceCount, Vector3(0, 0, 0));
    std::vector<bool> usable(faceCount, false);
    for (int f = 0; f < faceCount; ++f) {
        const Face& face = object.faces[f];
        usable[f] = true;
        for (const int k : face.vertexIndex) {
            usable[f] = usable[f] && k >= 0 && k < vertexCount;
        }
        if (usable[f]) {
            const Vector3 p0 = object.vertices[face.vertexIndex[0]];
            const Vector3 p1 = object.vertices[face.vertexIndex[1]];
            const Vector3 p2 = object.vertices[face.vertexIndex[2]];
            scratch[f] = CrossProduct(VectorFromPoints(p0, p2), VectorFromPoints(p2, p1));
        }
    }
    std::vector<Vector3> normals(vertexCount, Vector3(0, 0, 0));
    for (int i = 0; i < vertexCount; ++i) {
        Vector3 sum(0, 0, 0);
        int shared = 0;
        for (int f = 0; f < faceCount; ++f) {
            const Face& face = object.faces[f];
            if (usable[f] &&
                (face.vertexIndex[0] == i || face.vertexIndex[1] == i || face.vertexIndex[2] == i)) {
                sum = sum + scratch[f];
                ++shared;
            }
        }
        if (shared > 0) {
            normals[i] = Normalized(DivideByScalar(sum, static_cast<float>(-shared)));
        }
    }
    return normals;
}

} // namespace testing_tools
