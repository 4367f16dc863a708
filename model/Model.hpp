#pragma once

#include "geometry/Vector3.hpp"

#include <cstdint>
#include <vector>

// The in-memory form of one 3DS file. Every record owns its arrays: a model frees all it holds when
// it goes out of scope. The 3DS reader is the only producer of loaded models; the octree reads the
// level's model and keeps index arrays of its own.

inline constexpr int kTextFieldSize = 255; // names keep up to 254 bytes plus their NUL

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

// The arrays are flat runs of floats and ints, handed to the GL array calls through data(). The
// counts are the arrays' sizes: at most 65535, read from 16-bit values.
struct MeshObject {
    std::int32_t materialIndex = 0; // -1: the last material group named no known material
    bool textured = false;
    char name[kTextFieldSize] = {};
    std::vector<Vector3> vertices;   // empty when the file has no vertex list for the object
    std::vector<Vector3> normals;    // one per vertex once the reader has built them
    std::vector<TexCoord> texCoords; // indexed by vertex index; empty when the file has none
    std::vector<Face> faces;         // empty when the file has no face list for the object

    std::int32_t VertexCount() const { return static_cast<std::int32_t>(vertices.size()); }
    std::int32_t FaceCount() const { return static_cast<std::int32_t>(faces.size()); }
    std::int32_t TexCoordCount() const { return static_cast<std::int32_t>(texCoords.size()); }
};

struct Model {
    std::vector<Material> materials;
    std::vector<MeshObject> objects;

    std::int32_t MaterialCount() const { return static_cast<std::int32_t>(materials.size()); }
    std::int32_t ObjectCount() const { return static_cast<std::int32_t>(objects.size()); }
};

// Appends a zero-filled record; returns its position (records may move on the next append, so
// callers keep positions, not pointers).
int AppendMaterial(Model& model);
int AppendObject(Model& model);

// True when all three of face's vertex indices lie in 0 .. vertexCount - 1; a damaged file's faces
// may name vertices their object lacks, and those faces are never drawn nor given normals.
bool FaceWithinVertices(const Face& face, std::int32_t vertexCount);
