#include "tools/content/Mesh.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

TexCoord MapPoint(const UvMap& map, Vector3 p) {
    TexCoord uv;
    uv.u = DotProduct(p, map.sAxis) / map.sTile + map.sOffset;
    uv.v = DotProduct(p, map.tAxis) / map.tTile + map.tOffset;
    return uv;
}

Vector3 FaceNormal(Vector3 a, Vector3 b, Vector3 c) {
    return CrossProduct(b - a, c - a);
}

int Scene::AddMaterial(const std::string& name, const std::string& textureFile, std::uint8_t r,
                       std::uint8_t g, std::uint8_t b) {
    MaterialSpec spec;
    spec.name = name;
    spec.textureFile = textureFile;
    spec.colour[0] = r;
    spec.colour[1] = g;
    spec.colour[2] = b;
    materials.push_back(spec);
    return static_cast<int>(materials.size()) - 1;
}

MeshPart& Scene::Part(const std::string& family, int material) {
    int index = 0;
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
        if (it->family == family && it->material == material) {
            if (static_cast<int>(it->triangles.size()) < faceLimit) {
                return *it;
            }
            break;
        }
    }
    for (const MeshPart& part : parts) {
        if (part.family == family) {
            ++index;
        }
    }
    MeshPart part;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%02d", index);
    part.family = family;
    part.name = family + suffix;
    part.material = material;
    parts.push_back(part);
    return parts.back();
}

void AddPolygon(MeshPart& part, const Vector3* p, int count, Vector3 facing, const UvMap& map) {
    if (count < 3) {
        return;
    }
    Vector3 sum(0.0f, 0.0f, 0.0f);
    for (int i = 1; i + 1 < count; ++i) {
        sum = sum + FaceNormal(p[0], p[i], p[i + 1]);
    }
    const bool reverse = DotProduct(sum, facing) < 0.0f;
    const std::size_t base = part.vertices.size();
    CheckVertexRoom(part, static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const Vector3 v = p[reverse ? count - 1 - i : i];
        part.vertices.push_back(v);
        part.texCoords.push_back(MapPoint(map, v));
    }
    AddFan(part, base);
}

void CheckVertexRoom(const MeshPart& part, std::size_t count) {
    if (part.vertices.size() + count > 65535) {
        std::fprintf(stderr, "jostrela-content: object %s has too many vertices\n", part.name.c_str());
        std::exit(1);
    }
}

void AddFan(MeshPart& part, std::size_t base) {
    for (std::size_t i = base + 1; i + 1 < part.vertices.size(); ++i) {
        const Vector3 n = FaceNormal(part.vertices[base], part.vertices[i], part.vertices[i + 1]);
        if (Length(n) < 1e-4f) {
            continue;
        }
        part.triangles.push_back({static_cast<std::uint16_t>(base), static_cast<std::uint16_t>(i),
                                  static_cast<std::uint16_t>(i + 1)});
    }
}

void AddQuad(MeshPart& part, Vector3 a, Vector3 b, Vector3 c, Vector3 d, Vector3 facing, const UvMap& map) {
    const Vector3 corners[4] = {a, b, c, d};
    AddPolygon(part, corners, 4, facing, map);
}

int TotalTriangles(const Scene& scene) {
    int total = 0;
    for (const MeshPart& part : scene.parts) {
        total += static_cast<int>(part.triangles.size());
    }
    return total;
}
