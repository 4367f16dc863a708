#include "tools/writers/Writer3ds.hpp"

#include "tools/writers/ChunkWriter.hpp"

namespace writers {
namespace {

constexpr std::size_t kMaxCount = 0xFFFF;

bool Fits(const SceneDescription& scene) {
    for (const ObjectDescription& object : scene.objects) {
        if (object.vertices.size() > kMaxCount || object.texCoords.size() > kMaxCount ||
            object.faces.size() > kMaxCount) {
            return false;
        }
    }
    return true;
}

void WriteMaterial(ChunkWriter& w, const MaterialDescription& material) {
    w.Begin(0xAFFF);
    w.Begin(0xA000);
    w.Name(material.name);
    w.End();
    w.Begin(0xA020);
    w.Begin(0x0011);
    w.Bytes(material.colour.data(), material.colour.size());
    w.End();
    w.End();
    if (!material.textureFile.empty()) {
        w.Begin(0xA200);
        w.Begin(0x0030); // map strength in percent
        w.U16(100);
        w.End();
        w.Begin(0xA300);
        w.Name(material.textureFile);
        w.End();
        w.End();
    }
    w.End();
}

void WriteObject(ChunkWriter& w, const ObjectDescription& object) {
    w.Begin(0x4000);
    w.Name(object.name);
    w.Begin(0x4100);
    if (!object.vertices.empty()) {
        w.Begin(0x4110);
        w.U16(static_cast<std::uint16_t>(object.vertices.size()));
        for (const Vector3& v : object.vertices) {
            w.F32(v.x);
            w.F32(v.y);
            w.F32(v.z);
        }
        w.End();
    }
    if (!object.texCoords.empty()) {
        w.Begin(0x4140);
        w.U16(static_cast<std::uint16_t>(object.texCoords.size()));
        for (const TexCoord& t : object.texCoords) {
            w.F32(t.u);
            w.F32(t.v);
        }
        w.End();
    }
    if (!object.faces.empty()) {
        w.Begin(0x4120);
        w.U16(static_cast<std::uint16_t>(object.faces.size()));
        for (const std::array<std::uint16_t, 3>& face : object.faces) {
            w.U16(face[0]);
            w.U16(face[1]);
            w.U16(face[2]);
            w.U16(0x0007); // all three edges visible
        }
        for (const std::string& group : object.materialGroups) {
            w.Begin(0x4130);
            w.Name(group);
            w.U16(static_cast<std::uint16_t>(object.faces.size()));
            for (std::size_t f = 0; f < object.faces.size(); ++f) {
                w.U16(static_cast<std::uint16_t>(f));
            }
            w.End();
        }
        w.End();
    }
    w.End();
    w.End();
}

} // namespace

bool Build3ds(const SceneDescription& scene, std::vector<std::uint8_t>& out) {
    out.clear();
    if (!Fits(scene)) {
        return false;
    }
    ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x0002);
    w.U32(scene.version);
    w.End();
    w.Begin(0x3D3D);
    // Readers skip the editor chunk's first child whole, so it must be one that carries nothing
    // else: the mesh version.
    w.Begin(0x3D3E);
    w.U32(3);
    w.End();
    for (const MaterialDescription& material : scene.materials) {
        WriteMaterial(w, material);
    }
    for (const ObjectDescription& object : scene.objects) {
        WriteObject(w, object);
    }
    w.End();
    w.End();
    out = w.Data();
    return true;
}

bool Write3dsFile(const char* path, const SceneDescription& scene) {
    std::vector<std::uint8_t> bytes;
    return Build3ds(scene, bytes) && WriteFileBytes(path, bytes);
}

} // namespace writers
