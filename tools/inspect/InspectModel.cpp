#include "base/Json.hpp"
#include "model/Reader3DS.hpp"
#include "tools/inspect/Inspect.hpp"

#include <cstdio>
#include <cstring>

namespace {

void AppendInt(std::string& out, long long value) {
    out += std::to_string(value);
}

void AppendMaterial(std::string& out, const Material& material) {
    out += "{\"name\": ";
    AppendJsonString(out, material.name);
    out += ", \"textureFile\": ";
    AppendJsonString(out, material.textureFile);
    out += ", \"colour\": [";
    for (int c = 0; c < 3; ++c) {
        out += c > 0 ? ", " : "";
        AppendInt(out, material.colour[c]);
    }
    out += "]}";
}

// "[[...], ...]" of count entries of width floats each (Vector3 and TexCoord are packed floats).
void AppendFloatRows(std::string& out, const float* values, int count, int width) {
    out += '[';
    for (int i = 0; i < count; ++i) {
        out += i > 0 ? ", " : "";
        AppendJsonFloats(out, values + static_cast<std::size_t>(i) * width, width);
    }
    out += ']';
}

void AppendFullArrays(std::string& out, const MeshObject& object) {
    out += ", \"vertices\": ";
    AppendFloatRows(out, reinterpret_cast<const float*>(object.vertices.data()), object.VertexCount(), 3);
    out += ", \"faces\": [";
    for (int f = 0; f < object.FaceCount(); ++f) {
        const Face& face = object.faces[f];
        out += f > 0 ? ", [" : "[";
        for (int k = 0; k < 3; ++k) {
            out += k > 0 ? ", " : "";
            AppendInt(out, face.vertexIndex[k]);
        }
        out += ']';
    }
    out += "], \"texCoords\": ";
    AppendFloatRows(out, reinterpret_cast<const float*>(object.texCoords.data()), object.TexCoordCount(), 2);
    out += ", \"normals\": ";
    AppendFloatRows(out, reinterpret_cast<const float*>(object.normals.data()), object.VertexCount(), 3);
}

void AppendObject(std::string& out, const MeshObject& object, bool full) {
    out += "{\"name\": ";
    AppendJsonString(out, object.name);
    out += ", \"vertexCount\": ";
    AppendInt(out, object.VertexCount());
    out += ", \"faceCount\": ";
    AppendInt(out, object.FaceCount());
    out += ", \"texCoordCount\": ";
    AppendInt(out, object.TexCoordCount());
    out += ", \"materialIndex\": ";
    AppendInt(out, object.materialIndex);
    out += object.textured ? ", \"textured\": true" : ", \"textured\": false";
    if (full) {
        AppendFullArrays(out, object);
    }
    out += '}';
}

} // namespace

int InspectModel(int argc, char** argv, std::string& out) {
    const bool full = argc == 2 && std::strcmp(argv[1], "--full") == 0;
    if (argc != 1 && !full) {
        std::fprintf(stderr, "usage: jostrela-inspect model FILE [--full]\n");
        return 2;
    }
    CollectMessages();
    Model model;
    const bool ok = Read3dsFile(model, argv[0]);
    out += ok ? "{\"ok\": true, " : "{\"ok\": false, ";
    AppendMessages(out);
    out += ", \"materials\": [";
    for (int i = 0; i < model.MaterialCount(); ++i) {
        out += i > 0 ? ", " : "";
        AppendMaterial(out, model.materials[i]);
    }
    out += "], \"objects\": [";
    for (int i = 0; i < model.ObjectCount(); ++i) {
        out += i > 0 ? ", " : "";
        AppendObject(out, model.objects[i], full);
    }
    out += "]}";
    return ok ? 0 : 1;
}
