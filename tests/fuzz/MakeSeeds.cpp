// Writes the seed inputs of the 3DS and BMP fuzz targets with the project's own writers:
//   make_fuzz_seeds FOLDER      -> FOLDER/3ds/*.3DS and FOLDER/bmp/*.bmp
// Each seed is small (libFuzzer mutates small inputs fastest) and reaches a different part of its
// reader: materials with and without texture maps, material groups, texture coordinates, objects
// without vertices, the version warning; every BMP depth, both header forms, bare bitmaps,
// top-down rows and short colour tables.

#include "tools/writers/BmpWriter.hpp"
#include "tools/writers/ChunkWriter.hpp"
#include "tools/writers/Writer3ds.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace {

using writers::BmpImage;
using writers::BmpOptions;
using writers::MaterialDescription;
using writers::ObjectDescription;
using writers::SceneDescription;

bool failed = false;

void Save(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty() || !writers::WriteFileBytes(path.c_str(), bytes)) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", path.c_str());
        failed = true;
    }
}

void Save3ds(const std::string& path, const SceneDescription& scene) {
    std::vector<std::uint8_t> bytes;
    writers::Build3ds(scene, bytes);
    Save(path, bytes);
}

void SaveBmp(const std::string& path, const BmpImage& image, const BmpOptions& options = {}) {
    std::vector<std::uint8_t> bytes;
    writers::BuildBmp(image, bytes, options);
    Save(path, bytes);
}

ObjectDescription Quad(const std::string& name, float size) {
    ObjectDescription quad;
    quad.name = name;
    quad.vertices = {Vector3(0, 0, 0), Vector3(size, 0, 0), Vector3(size, size, 0), Vector3(0, size, 0)};
    quad.faces = {{0, 1, 2}, {0, 2, 3}};
    return quad;
}

void Write3dsSeeds(const std::string& folder) {
    SceneDescription empty;
    Save3ds(folder + "/empty.3DS", empty);

    SceneDescription plain;
    plain.objects.push_back(Quad("quad", 2.0f));
    Save3ds(folder + "/quad.3DS", plain);

    SceneDescription textured;
    textured.materials.push_back(MaterialDescription{"brick", {200, 40, 30}, "RedBrick.bmp"});
    textured.materials.push_back(MaterialDescription{"paint", {10, 20, 250}, ""});
    ObjectDescription wall = Quad("wall", 4.0f);
    wall.texCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    wall.materialGroups = {"brick"};
    textured.objects.push_back(wall);
    ObjectDescription floor = Quad("floor", 8.0f);
    floor.materialGroups = {"paint", "none"};
    textured.objects.push_back(floor);
    Save3ds(folder + "/textured.3DS", textured);

    SceneDescription later;
    later.version = 4;
    ObjectDescription bare;
    bare.name = "no vertices";
    later.objects.push_back(bare);
    ObjectDescription shared = Quad("shared corner", 1.0f);
    shared.faces.push_back({1, 1, 3}); // a face naming one vertex twice
    later.objects.push_back(shared);
    Save3ds(folder + "/version4.3DS", later);

    // A main chunk whose editor chunk starts with a material: the first nested chunk is skipped.
    writers::ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x3D3D);
    w.Begin(0xAFFF);
    w.Begin(0xA000);
    w.Name("lost");
    w.End();
    w.End();
    w.Begin(0xAFFF);
    w.Begin(0xA000);
    w.Name("kept");
    w.End();
    w.Begin(0xA020);
    w.Begin(0x0010); // a colour given as three floats
    w.F32(0.5f);
    w.F32(1.0f);
    w.F32(0.25f);
    w.End();
    w.End();
    w.End();
    w.End();
    w.Begin(0xB000);
    w.U32(0);
    w.End();
    w.End();
    Save(folder + "/editor.3DS", w.Data());
}

BmpImage Picture(int width, int height, int bitsPerPixel) {
    BmpImage image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = bitsPerPixel;
    const int perPixel = bitsPerPixel >= 24 ? 3 : 1;
    const int entries = bitsPerPixel >= 24 ? 0 : 1 << bitsPerPixel;
    for (int i = 0; i < entries; ++i) {
        image.palette.insert(image.palette.end(),
                             {std::uint8_t(i * 37), std::uint8_t(i * 11), std::uint8_t(i)});
    }
    for (int i = 0; i < width * height * perPixel; ++i) {
        image.pixels.push_back(entries > 0 ? std::uint8_t(i % entries) : std::uint8_t(i * 29));
    }
    return image;
}

void WriteBmpSeeds(const std::string& folder) {
    for (const int bits : {1, 4, 8, 24, 32}) {
        SaveBmp(folder + "/depth" + std::to_string(bits) + ".bmp", Picture(3, 2, bits));
    }
    BmpOptions core;
    core.coreHeader = true;
    SaveBmp(folder + "/core8.bmp", Picture(5, 3, 8), core);
    BmpOptions bare;
    bare.fileHeader = false;
    SaveBmp(folder + "/bare4.bmp", Picture(4, 4, 4), bare);
    BmpOptions topDown;
    topDown.topDown = true;
    SaveBmp(folder + "/topdown24.bmp", Picture(2, 3, 24), topDown);
    BmpImage short8 = Picture(4, 2, 8);
    short8.palette.resize(17 * 3);
    for (std::uint8_t& index : short8.pixels) {
        index = std::uint8_t(index % 17);
    }
    BmpOptions seventeen;
    seventeen.coloursUsed = 17;
    SaveBmp(folder + "/used17.bmp", short8, seventeen);
}

bool MakeFolder(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (!MakeFolder(folder) || !MakeFolder(folder + "/3ds") || !MakeFolder(folder + "/bmp")) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot make the folders under %s\n", folder.c_str());
        return 1;
    }
    Write3dsSeeds(folder + "/3ds");
    WriteBmpSeeds(folder + "/bmp");
    return failed ? 1 : 0;
}
