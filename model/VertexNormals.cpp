#include "model/VertexNormals.hpp"

#include <vector>

namespace {

void BuildObjectNormals(MeshObject& object) {
    const std::int32_t vertexCount = object.VertexCount();
    object.normals.assign(object.vertices.size(), Vector3(0.0f, 0.0f, 0.0f));
    // The normals array holds the running sums until the last face has been added.
    std::vector<std::int32_t> shared(static_cast<std::size_t>(vertexCount), 0);
    for (const Face& face : object.faces) {
        if (!FaceWithinVertices(face, vertexCount)) {
            continue;
        }
        const std::int32_t i0 = face.vertexIndex[0];
        const std::int32_t i1 = face.vertexIndex[1];
        const std::int32_t i2 = face.vertexIndex[2];
        const Vector3 a = VectorFromPoints(object.vertices[i0], object.vertices[i2]);
        const Vector3 b = VectorFromPoints(object.vertices[i2], object.vertices[i1]);
        const Vector3 weighted = CrossProduct(a, b);
        object.normals[i0] = object.normals[i0] + weighted;
        ++shared[i0];
        if (i1 != i0) {
            object.normals[i1] = object.normals[i1] + weighted;
            ++shared[i1];
        }
        if (i2 != i0 && i2 != i1) {
            object.normals[i2] = object.normals[i2] + weighted;
            ++shared[i2];
        }
    }
    for (std::int32_t i = 0; i < vertexCount; ++i) {
        if (shared[i] > 0) {
            object.normals[i] = Normalized(DivideByScalar(object.normals[i], static_cast<float>(-shared[i])));
        }
    }
}

} // namespace

void BuildVertexNormals(Model& model) {
    for (MeshObject& object : model.objects) {
        BuildObjectNormals(object);
    }
}
