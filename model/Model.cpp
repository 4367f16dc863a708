#include "model/Model.hpp"

int AppendMaterial(Model& model) {
    model.materials.push_back(Material{});
    return model.MaterialCount() - 1;
}

int AppendObject(Model& model) {
    model.objects.emplace_back();
    return model.ObjectCount() - 1;
}

bool FaceWithinVertices(const Face& face, std::int32_t vertexCount) {
    for (const std::int32_t index : face.vertexIndex) {
        if (index < 0 || index >= vertexCount) {
            return false;
        }
    }
    return true;
}
