#include "tools/content/LargeLevel.hpp"

#include "tools/content/Church.hpp"

#include <cstdio>

void BuildLargeLevel(Scene& scene) {
    Scene church;
    BuildChurch(church, kBenchmarkCell);
    scene.materials = church.materials;
    for (int copy = 0; copy < kLargeCopies; ++copy) {
        const Vector3 offset(0.0f, kStoreyHeight * static_cast<float>(copy), 0.0f);
        for (const MeshPart& part : church.parts) {
            int index = 0;
            for (const MeshPart& other : scene.parts) {
                index += other.family == part.family ? 1 : 0;
            }
            MeshPart moved = part;
            for (Vector3& v : moved.vertices) {
                v = v + offset;
            }
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, "%02d", index);
            moved.name = part.family + suffix;
            scene.parts.push_back(moved);
        }
    }
}
