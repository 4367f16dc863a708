#pragma once

// A level built in memory for the octree's tests and benchmarks: a long hall with floor, ceiling,
// walls and rows of pillars, every surface a grid of shared-vertex quads, split into objects of at
// most 65535 vertices as a 3DS file would hold them.

#include "geometry/Vector3.hpp"
#include "model/Model.hpp"

#include <cmath>
#include <cstdint>
#include <vector>

namespace testing_tools {

class GeneratedLevel {
  public:
    Model model;

    // A hall of at least minTriangles faces, from x -400..400, y -40..160, z -1000..200.
    explicit GeneratedLevel(int minTriangles) {
        for (const std::uint8_t grey : {std::uint8_t(200), std::uint8_t(150)}) {
            const int m = AppendMaterial(model);
            model.materials[m].colour[0] = grey;
            model.materials[m].colour[1] = std::uint8_t(grey / 2);
            model.materials[m].colour[2] = 90;
        }
        // Subdivide the surfaces until the count is reached: about 10 quads per unit of n squared.
        int n = 2;
        while (Estimate(n) < minTriangles) {
            ++n;
        }
        const float x0 = -400, x1 = 400, y0 = -40, y1 = 160, z0 = -1000, z1 = 200;
        Surface(Vector3(x0, y0, z1), Vector3(x1 - x0, 0, 0), Vector3(0, 0, z0 - z1), 4 * n, 6 * n, 0, true);
        Surface(Vector3(x0, y1, z0), Vector3(x1 - x0, 0, 0), Vector3(0, 0, z1 - z0), 2 * n, 3 * n, 1, false);
        Surface(Vector3(x0, y0, z0), Vector3(0, 0, z1 - z0), Vector3(0, y1 - y0, 0), 3 * n, n, 0, true);
        Surface(Vector3(x1, y0, z1), Vector3(0, 0, z0 - z1), Vector3(0, y1 - y0, 0), 3 * n, n, 0, true);
        Surface(Vector3(x0, y0, z0), Vector3(x1 - x0, 0, 0), Vector3(0, y1 - y0, 0), 2 * n, n, 1, false);
        Surface(Vector3(x1, y0, z1), Vector3(x0 - x1, 0, 0), Vector3(0, y1 - y0, 0), 2 * n, n, 1, false);
        // Two rows of pillars along the hall: four walls each.
        for (int row = 0; row < 2; ++row) {
            for (int k = 0; k < 8; ++k) {
                const float px = row == 0 ? -200.0f : 180.0f;
                const float pz = -900.0f + 130.0f * float(k);
                const float s = 20.0f;
                const Vector3 up(0, y1 - y0, 0);
                Surface(Vector3(px, y0, pz), Vector3(s, 0, 0), up, 1, n / 2 + 1, 1, false);
                Surface(Vector3(px + s, y0, pz), Vector3(0, 0, s), up, 1, n / 2 + 1, 1, false);
                Surface(Vector3(px + s, y0, pz + s), Vector3(-s, 0, 0), up, 1, n / 2 + 1, 1, false);
                Surface(Vector3(px, y0, pz + s), Vector3(0, 0, -s), up, 1, n / 2 + 1, 1, false);
            }
        }
    }

    GeneratedLevel(const GeneratedLevel&) = delete;
    GeneratedLevel& operator=(const GeneratedLevel&) = delete;

    int TriangleCount() const {
        int total = 0;
        for (const MeshObject& object : model.objects) {
            total += object.FaceCount();
        }
        return total;
    }

  private:
    static int Estimate(int n) {
        return 2 * (24 * n * n + 6 * n * n + 6 * n * n + 4 * n * n + 64 * (n / 2 + 1));
    }

    // A grid of nu x nv quads spanning origin + a*u + b*v, cut into objects of at most 65535
    // vertices along v.
    void Surface(Vector3 origin, Vector3 a, Vector3 b, int nu, int nv, int material, bool textured) {
        const int rowsPerObject = 65535 / (nu + 1) - 1;
        for (int firstRow = 0; firstRow < nv; firstRow += rowsPerObject) {
            const int rows = nv - firstRow < rowsPerObject ? nv - firstRow : rowsPerObject;
            MeshObject& object = model.objects[AppendObject(model)];
            object.materialIndex = material;
            object.textured = textured;
            std::vector<Vector3>& vertices = object.vertices;
            std::vector<Vector3>& normals = object.normals;
            std::vector<TexCoord>& coords = object.texCoords;
            std::vector<Face>& faces = object.faces;
            const Vector3 cross(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
            const float length = std::sqrt(cross.x * cross.x + cross.y * cross.y + cross.z * cross.z);
            const Vector3 normal = cross * (1.0f / length);
            for (int j = 0; j <= rows; ++j) {
                for (int i = 0; i <= nu; ++i) {
                    const float u = float(i) / float(nu);
                    const float v = float(firstRow + j) / float(nv);
                    vertices.push_back(origin + a * u + b * v);
                    normals.push_back(normal);
                    coords.push_back(TexCoord{float(i), float(firstRow + j)});
                }
            }
            for (int j = 0; j < rows; ++j) {
                for (int i = 0; i < nu; ++i) {
                    const std::int32_t p = j * (nu + 1) + i;
                    faces.push_back(Face{{p, p + 1, p + nu + 2}, {0, 0, 0}});
                    faces.push_back(Face{{p, p + nu + 2, p + nu + 1}, {0, 0, 0}});
                }
            }
        }
    }
};

} // namespace testing_tools
