#include "model/Model.hpp"

#include <cstring>

int AppendMaterial(Model& model) {
    Material material;
    std::memset(&material, 0, sizeof material);
    model.materials.push_back(material);
    ++model.materialCount;
    return model.materialCount - 1;
}

int AppendObject(Model& model) {
    MeshObject object;
    std::memset(&object, 0, sizeof object);
    model.objects.push_back(object);
    ++model.objectCount;
    return model.objectCount - 1;
}

bool FaceWithinVertices(const Face& face, std::int32_t vertexCount) {
    for (const std::int32_t index : face.vertexIndex) {
        if (index < 0 || index >= vertexCount) {
            return false;
        }
    }
    return true;
}

void ReleaseModelArrays(Model& model) {
    for (MeshObject& object : model.objects) {
        delete[] object.vertices;
        delete[] object.normals;
        delete[] object.texCoords;
        delete[] object.faces;
        object.vertices = nullptr;
        object.normals = nullptr;
        object.texCoords = nullptr;
        object.faces = nullptr;
    }
    model.objects.clear();
    model.materials.clear();
    model.objectCount = 0;
    model.materialCount = 0;
}
