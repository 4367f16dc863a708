#pragma once

#include "model/Model.hpp"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The project's own 3DS writer: enough of the format for the game's reader and for other tools
// (one mesh per named object, diffuse colours, one texture map per material). The output depends
// only on the description, byte for byte.
namespace writers {

struct MaterialDescription {
    std::string name;
    std::array<std::uint8_t, 3> colour = {0, 0, 0}; // diffuse red, green, blue (24-bit colour chunk)
    std::string textureFile;                        // empty: the material has no texture map
};

struct ObjectDescription {
    std::string name;
    std::vector<Vector3> vertices;
    std::vector<TexCoord> texCoords; // empty: no texture-coordinate chunk
    std::vector<std::array<std::uint16_t, 3>> faces;
    // One material group per name, each listing every face, nested in the face list in this order.
    // Written only when the object has a face list.
    std::vector<std::string> materialGroups;
};

struct SceneDescription {
    std::uint32_t version = 3; // the file-version chunk
    std::vector<MaterialDescription> materials;
    std::vector<ObjectDescription> objects;
};

// The file's bytes: main chunk > version, editor chunk > (mesh version, materials, objects).
// False, with out left empty, when a count does not fit the format's 16 bits.
bool Build3ds(const SceneDescription& scene, std::vector<std::uint8_t>& out);

// Build3ds written to path; false when the scene does not fit or the file cannot be written.
bool Write3dsFile(const char* path, const SceneDescription& scene);

} // namespace writers
