#include "tools/content/Church.hpp"
#include "tools/content/Textures.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>

// What the church's surfaces look like up close: no two faces in one plane over the same area (they
// flicker as the depth test picks one or the other), and no texture stretched across a face.
namespace {

struct Tri {
    Vector3 p[3];
    TexCoord uv[3];
    std::string part;
};

std::vector<Tri> Faces(const Scene& scene, bool texturedOnly) {
    std::vector<Tri> faces;
    for (const MeshPart& part : scene.parts) {
        if (texturedOnly && scene.materials[part.material].textureFile.empty()) {
            continue;
        }
        for (const auto& t : part.triangles) {
            Tri f;
            for (int k = 0; k < 3; ++k) {
                f.p[k] = part.vertices[t[k]];
                f.uv[k] = part.texCoords[t[k]];
            }
            f.part = part.name;
            faces.push_back(f);
        }
    }
    return faces;
}

// The triangles' corners in the plane's own two coordinates (the normal's largest axis dropped).
struct Flat {
    float x[3], y[3];
};

Flat Flatten(const Tri& f, Vector3 n) {
    const float ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
    Flat flat;
    for (int k = 0; k < 3; ++k) {
        const Vector3 p = f.p[k];
        flat.x[k] = ax >= ay && ax >= az ? p.z : p.x;
        flat.y[k] = ay >= ax && ay >= az ? p.z : p.y;
    }
    return flat;
}

// True when the two triangles share an area more than a sliver wide: no edge of either separates
// them with more than eps of overlap left.
bool AreasOverlap(const Flat& a, const Flat& b, float eps) {
    for (const Flat* t : {&a, &b}) {
        for (int e = 0; e < 3; ++e) {
            const float nx = t->y[(e + 1) % 3] - t->y[e];
            const float ny = t->x[e] - t->x[(e + 1) % 3];
            const float len = std::sqrt(nx * nx + ny * ny);
            float lo[2] = {1e30f, 1e30f}, hi[2] = {-1e30f, -1e30f};
            const Flat* both[2] = {&a, &b};
            for (int s = 0; s < 2; ++s) {
                for (int k = 0; k < 3; ++k) {
                    const float d = (both[s]->x[k] * nx + both[s]->y[k] * ny) / len;
                    lo[s] = std::min(lo[s], d);
                    hi[s] = std::max(hi[s], d);
                }
            }
            if (std::min(hi[0], hi[1]) - std::max(lo[0], lo[1]) <= eps) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

TEST(ContentSurfaces, NoTwoFacesOverlapInOnePlane) {
    Scene scene;
    BuildChurch(scene);
    // Faces grouped by plane, whichever way they face: normal and offset, rounded.
    std::map<std::tuple<long, long, long, long>, std::vector<std::pair<Tri, Vector3>>> planes;
    for (const Tri& f : Faces(scene, false)) {
        Vector3 n = CrossProduct(f.p[1] - f.p[0], f.p[2] - f.p[0]);
        if (Length(n) < 1e-4f) {
            continue;
        }
        n = Normalized(n);
        const float first = std::fabs(n.x) > 1e-3f ? n.x : std::fabs(n.y) > 1e-3f ? n.y : n.z;
        if (first < 0.0f) {
            n = n * -1.0f;
        }
        const float offset = DotProduct(n, f.p[0]);
        planes[{std::lround(n.x * 200), std::lround(n.y * 200), std::lround(n.z * 200),
                std::lround(offset * 4)}]
            .push_back({f, n});
    }
    int overlaps = 0;
    for (const auto& [key, faces] : planes) {
        for (std::size_t i = 0; i < faces.size(); ++i) {
            const Flat a = Flatten(faces[i].first, faces[i].second);
            for (std::size_t j = i + 1; j < faces.size(); ++j) {
                const Flat b = Flatten(faces[j].first, faces[j].second);
                if (AreasOverlap(a, b, 0.01f) && ++overlaps <= 10) {
                    ADD_FAILURE() << faces[i].first.part << " and " << faces[j].first.part
                                  << " overlap near (" << faces[i].first.p[0].x << ", "
                                  << faces[i].first.p[0].y << ", " << faces[i].first.p[0].z << ")";
                }
            }
        }
    }
    EXPECT_EQ(overlaps, 0);
}

TEST(ContentSurfaces, TexelsAreNeverStretchedBeyondTwoToOne) {
    Scene scene;
    BuildChurch(scene);
    std::map<std::string, std::pair<int, int>> sizes;
    for (const TextureFile& t : BuildTextures()) {
        sizes[t.name] = {t.image.width, t.image.height};
    }
    std::map<std::string, int> partIndex;
    int checked = 0;
    for (const MeshPart& part : scene.parts) {
        const std::string& file = scene.materials[part.material].textureFile;
        if (file.empty()) {
            continue;
        }
        ASSERT_TRUE(sizes.count(file)) << file;
        const float w = static_cast<float>(sizes[file].first);
        const float h = static_cast<float>(sizes[file].second);
        for (const auto& t : part.triangles) {
            const Vector3 p0 = part.vertices[t[0]];
            const Vector3 e1 = part.vertices[t[1]] - p0;
            const Vector3 e2 = part.vertices[t[2]] - p0;
            // The face's own frame: u along the first edge, v across it in the face's plane.
            const Vector3 u = Normalized(e1);
            const Vector3 across = e2 - u * DotProduct(e2, u);
            if (Length(across) < 1e-3f) {
                continue;
            }
            const Vector3 v = Normalized(across);
            const float x1 = Length(e1), x2 = DotProduct(e2, u), y2 = DotProduct(e2, v);
            const TexCoord c0 = part.texCoords[t[0]], c1 = part.texCoords[t[1]], c2 = part.texCoords[t[2]];
            // Texels per world unit along u and v: the mapping's Jacobian [a b; c d].
            const float ds1 = (c1.u - c0.u) * w, ds2 = (c2.u - c0.u) * w;
            const float dt1 = (c1.v - c0.v) * h, dt2 = (c2.v - c0.v) * h;
            const float a = ds1 / x1, c = dt1 / x1;
            const float b = (ds2 - a * x2) / y2, d = (dt2 - c * x2) / y2;
            const float sum = a * a + b * b + c * c + d * d;
            const float det = std::fabs(a * d - b * c);
            const float root = std::sqrt(std::max(0.0f, sum * sum - 4.0f * det * det));
            const float big = std::sqrt((sum + root) * 0.5f);
            const float small = std::sqrt(std::max(0.0f, (sum - root) * 0.5f));
            ASSERT_GT(small, 0.0f) << part.name << " maps a face onto a line of its texture";
            ASSERT_LE(big / small, 2.0f) << part.name << " stretches " << file << " near (" << p0.x << ", "
                                         << p0.y << ", " << p0.z << ")";
            ++checked;
        }
    }
    EXPECT_GT(checked, 2000);
}
