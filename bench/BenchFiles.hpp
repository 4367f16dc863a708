#pragma once

// Model files for the benchmarks: the church of the run folder, and generated halls of a chosen size
// written as 3DS files with the project's own writer into a scratch folder (made once per process,
// removed at exit).

#include "model/Model.hpp"
#include "tools/reference/GeneratedLevel.hpp"
#include "tools/writers/Writer3ds.hpp"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace bench_files {

// The run folder the build writes; JOSTRELA_RUN in the environment names another.
inline std::string RunFolder() {
    const char* run = std::getenv("JOSTRELA_RUN");
    return run != nullptr && *run != '\0' ? run : JOSTRELA_RUN_DIR;
}

inline std::string ChurchPath() {
    return RunFolder() + "/MODELOS/church.3DS";
}

class ScratchFolder {
  public:
    ScratchFolder() {
        char pattern[] = "/tmp/jostrela-bench-XXXXXX";
        const char* made = mkdtemp(pattern);
        path = made != nullptr ? made : "/tmp";
    }
    ~ScratchFolder() {
        if (path != "/tmp") {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    }
    std::string path;
};

inline const std::string& Scratch() {
    static ScratchFolder folder;
    return folder.path;
}

// A generated hall of at least minTriangles faces, kept for the whole run.
inline const testing_tools::GeneratedLevel& Level(int minTriangles) {
    static std::map<int, std::unique_ptr<testing_tools::GeneratedLevel>> levels;
    std::unique_ptr<testing_tools::GeneratedLevel>& level = levels[minTriangles];
    if (!level) {
        level = std::make_unique<testing_tools::GeneratedLevel>(minTriangles);
    }
    return *level;
}

// The description the 3DS writer takes, from a model whose objects have at most 65535 vertices.
inline writers::SceneDescription Describe(const Model& model) {
    writers::SceneDescription scene;
    for (int m = 0; m < static_cast<int>(model.materials.size()); ++m) {
        writers::MaterialDescription material;
        material.name = "Material" + std::to_string(m);
        for (int c = 0; c < 3; ++c) {
            material.colour[c] = model.materials[m].colour[c];
        }
        scene.materials.push_back(material);
    }
    for (int o = 0; o < static_cast<int>(model.objects.size()); ++o) {
        const MeshObject& object = model.objects[o];
        writers::ObjectDescription out;
        out.name = "Part" + std::to_string(o);
        out.vertices = object.vertices;
        out.texCoords = object.texCoords;
        for (const Face& face : object.faces) {
            out.faces.push_back({static_cast<std::uint16_t>(face.vertexIndex[0]),
                                 static_cast<std::uint16_t>(face.vertexIndex[1]),
                                 static_cast<std::uint16_t>(face.vertexIndex[2])});
        }
        if (object.materialIndex >= 0) {
            out.materialGroups.push_back(scene.materials[object.materialIndex].name);
        }
        scene.objects.push_back(out);
    }
    return scene;
}

// The 3DS file of Level(minTriangles), written on first use; empty when it cannot be written.
inline std::string LevelFile(int minTriangles) {
    static std::map<int, std::string> files;
    std::string& path = files[minTriangles];
    if (path.empty()) {
        const std::string name = Scratch() + "/hall-" + std::to_string(minTriangles) + ".3DS";
        if (writers::Write3dsFile(name.c_str(), Describe(Level(minTriangles).model))) {
            path = name;
        }
    }
    return path;
}

} // namespace bench_files
