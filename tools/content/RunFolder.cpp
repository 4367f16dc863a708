#include "tools/content/RunFolder.hpp"

#include "tools/content/Church.hpp"
#include "tools/content/LargeLevel.hpp"
#include "tools/content/OctreeFit.hpp"
#include "tools/content/Penguin.hpp"
#include "tools/content/Textures.hpp"

#include <cstdio>
#include <filesystem>
#include <system_error>

writers::SceneDescription Describe(const Scene& scene) {
    writers::SceneDescription description;
    for (const MaterialSpec& spec : scene.materials) {
        writers::MaterialDescription material;
        material.name = spec.name;
        material.colour = {spec.colour[0], spec.colour[1], spec.colour[2]};
        material.textureFile = spec.textureFile;
        description.materials.push_back(material);
    }
    for (const MeshPart& part : scene.parts) {
        writers::ObjectDescription object;
        object.name = part.name;
        object.vertices = part.vertices;
        if (!scene.materials[part.material].textureFile.empty()) {
            object.texCoords = part.texCoords;
        }
        object.faces = part.triangles;
        object.materialGroups.push_back(scene.materials[part.material].name);
        description.objects.push_back(object);
    }
    return description;
}

namespace {

bool WriteModel(const std::string& path, const Scene& scene) {
    if (!writers::Write3dsFile(path.c_str(), Describe(scene))) {
        std::fprintf(stderr, "jostrela-content: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

bool WriteRunFolder(const std::string& dir, bool large) {
    std::error_code error;
    std::filesystem::create_directories(dir + "/MODELOS", error);
    std::filesystem::create_directories(dir + "/Texturas", error);
    const std::string config = dir + "/scr.txt";
    std::FILE* file = std::fopen(config.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "jostrela-content: cannot write %s\n", config.c_str());
        return false;
    }
    std::fputs("Ancho=800\nAlto=600\nBits=32\nFullscreen=0\n", file);
    const bool configWritten = std::fclose(file) == 0;
    Scene church;
    if (large) {
        BuildLargeLevel(church);
    } else {
        BuildChurch(church);
    }
    FitToOctree(church);
    Scene penguin;
    BuildPenguin(penguin);
    bool ok = configWritten && WriteModel(dir + "/MODELOS/church.3DS", church) &&
              WriteModel(dir + "/MODELOS/pinguino.3DS", penguin);
    for (const TextureFile& texture : BuildTextures()) {
        const std::string path = dir + "/Texturas/" + texture.name;
        if (ok && !writers::WriteBmpFile(path.c_str(), texture.image)) {
            std::fprintf(stderr, "jostrela-content: cannot write %s\n", path.c_str());
            ok = false;
        }
    }
    return ok;
}
