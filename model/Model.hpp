#pragma once

#include "geometry/Vector3.hpp"

#include <cstdint>
#include <vector>

// The in-memory form of one 3DS file. Plain records: a copy copies array pointers, not arrays.
// The 3DS reader is the only producer of loaded models; the octree's build also makes face-subset
// models of these records while it splits a node (its leaves have a type of their own).

constexpr int kTextFieldSize = 255; // names keep up to 254 bytes plus their NUL

struct TexCoord {
    float u, v; // as stored in the file, no flip of v
};
static_assert(sizeof(TexCoord) == 2 * sizeof(float), "TexCoord must stay two packed floats");

struct Face {
    std::int32_t vertexIndex[3];   // from the file's 16-bit values; may be out of range in a bad file
    std::int32_t texCoordIndex[3]; // nothing fills these: coordinates are looked up by vertex index
};

struct Material {
    char name[kTextFieldSize];
    char textureFile[kTextFieldSize]; // empty when the material has no texture map
    std::uint8_t colour[3];           // diffuse red, green, blue
    std::int32_t textureSlot;         // written once by ModelObject::LoadTextures
};

struct MeshObject {
    std::int32_t vertexCount;   // entries in vertices and normals
    std::int32_t faceCount;     // entries in faces
    std::int32_t texCoordCount; // entries in texCoords
    std::int32_t materialIndex; // -1: the last material group named no known material
    bool textured;
    char name[kTextFieldSize];
    Vector3* vertices;
    Vector3* normals;
    TexCoord* texCoords;
    Face* faces;
};

struct Model {
    std::int32_t objectCount = 0;
    std::int32_t materialCount = 0;
    std::vector<Material> materials;
    std::vector<MeshObject> objects;
};

// Appends a zero-filled record and raises the matching count in the same step; returns the record's
// position (records may move on the next append, so callers keep positions, not pointers).
int AppendMaterial(Model& model);
int AppendObject(Model& model);

// True when all three of face's vertex indices lie in 0 .. vertexCount - 1; a damaged file's faces
// may name vertices their object lacks, and those faces are never drawn nor given normals.
bool FaceWithinVertices(const Face& face, std::int32_t vertexCount);

// Frees the arrays a loaded model's records point to (vertices, normals, texCoords, faces)
// and empties both lists. Only for models that own their arrays: never for an octree face-subset
// model, whose vertex arrays belong to the level.
void ReleaseModelArrays(Model& model);
