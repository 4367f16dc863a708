#include "tools/content/Penguin.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

TEST(ContentPenguin, IsAColouredFigureStandingOnTheFloorFacingMinusZ) {
    Scene scene;
    BuildPenguin(scene);
    const int triangles = TotalTriangles(scene);
    EXPECT_GE(triangles, 500);
    EXPECT_LE(triangles, 3000);
    EXPECT_GE(scene.parts.size(), 5u);
    for (const MaterialSpec& m : scene.materials) {
        EXPECT_TRUE(m.textureFile.empty()) << m.name;
    }
    Vector3 lo(1e9f, 1e9f, 1e9f), hi(-1e9f, -1e9f, -1e9f);
    float beakTip = 0.0f;
    for (const MeshPart& part : scene.parts) {
        for (const Vector3& v : part.vertices) {
            lo = Vector3(std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z));
            hi = Vector3(std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z));
            if (part.family == "Beak") {
                beakTip = std::min(beakTip, v.z);
            }
        }
    }
    // Feet on the floor (the model is drawn at jump height 0..12 above y = 0), head around the
    // sphere's centre, narrower than the 180-unit archway and well inside the sphere's reach.
    EXPECT_NEAR(lo.y, -40.0f, 0.5f);
    EXPECT_GT(hi.y, 0.0f);
    EXPECT_LT(hi.y, 15.0f);
    EXPECT_LT(hi.x - lo.x, 40.0f);
    EXPECT_EQ(beakTip, lo.z); // the beak points the way the camera looks at the start
    EXPECT_LT(beakTip, -12.0f);
}

namespace {

// The piece (connected set of triangles) each vertex of part belongs to.
std::vector<int> Pieces(const MeshPart& part) {
    std::vector<int> parent(part.vertices.size());
    for (std::size_t i = 0; i < parent.size(); ++i) {
        parent[i] = static_cast<int>(i);
    }
    auto root = [&](int v) {
        while (parent[v] != v) {
            v = parent[v] = parent[parent[v]];
        }
        return v;
    };
    for (const auto& t : part.triangles) {
        parent[root(t[1])] = root(t[0]);
        parent[root(t[2])] = root(t[0]);
    }
    std::vector<int> piece(parent.size());
    for (std::size_t i = 0; i < parent.size(); ++i) {
        piece[i] = root(static_cast<int>(i));
    }
    return piece;
}

} // namespace

TEST(ContentPenguin, EveryPieceWindsCounterClockwiseSeenFromOutside) {
    Scene scene;
    BuildPenguin(scene);
    for (const MeshPart& part : scene.parts) {
        // Every piece (an eye, a flipper, a foot, the beak) is convex enough that its faces point
        // away from its middle; the body, cut into its coat colours, away from its upright axis.
        const bool body = part.family == "Belly" || part.family == "Back" || part.family == "Cheeks";
        const std::vector<int> piece = Pieces(part);
        std::vector<Vector3> sum(part.vertices.size(), Vector3(0.0f, 0.0f, 0.0f));
        std::vector<int> count(part.vertices.size(), 0);
        for (std::size_t i = 0; i < part.vertices.size(); ++i) {
            sum[piece[i]] = sum[piece[i]] + part.vertices[i];
            ++count[piece[i]];
        }
        int outward = 0;
        for (const auto& t : part.triangles) {
            const Vector3 a = part.vertices[t[0]], b = part.vertices[t[1]], c = part.vertices[t[2]];
            const Vector3 centre = (a + b + c) / 3.0f;
            const int p = piece[t[0]];
            Vector3 out = centre - sum[p] / static_cast<float>(count[p]);
            if (body) {
                out = Vector3(centre.x, 0.0f, centre.z);
            }
            outward += DotProduct(FaceNormal(a, b, c), out) > 0.0f ? 1 : 0;
        }
        EXPECT_GE(outward, static_cast<int>(part.triangles.size() * 95 / 100)) << part.name;
    }
}

TEST(ContentPenguin, EndsOnAWhiteVertexFacingUpForTheBlocksDrawnNext) {
    // The doors and the switch are drawn right after the penguin with its last colour and normal.
    Scene scene;
    BuildPenguin(scene);
    const MeshPart& last = scene.parts.back();
    const MaterialSpec& material = scene.materials[last.material];
    EXPECT_EQ(material.colour[0] + material.colour[1] + material.colour[2], 3 * 255);
    const Vector3 end = last.vertices[last.triangles.back()[2]];
    for (const Vector3& v : last.vertices) {
        if (v.x * end.x > 0.0f) { // the same eye
            EXPECT_LE(v.y, end.y);
        }
    }
}

TEST(ContentPenguin, CollarAndBellyHaveRoundedOutlines) {
    // Seen from the side each patch is an oval: on the rings near its top and bottom it spans a much
    // smaller angle round the body than on its widest ring.
    Scene scene;
    BuildPenguin(scene);
    for (const char* family : {"Cheeks", "Belly"}) {
        std::map<float, std::pair<float, float>> span; // ring height -> angle range on the right side
        for (const MeshPart& part : scene.parts) {
            for (const Vector3& v : part.vertices) {
                if (part.family != family || v.x < 1e-3f) {
                    continue;
                }
                const float angle = std::atan2(v.x, -v.z);
                auto [it, fresh] = span.insert({v.y, {angle, angle}});
                it->second = {std::min(it->second.first, angle), std::max(it->second.second, angle)};
            }
        }
        ASSERT_GE(span.size(), 6u) << family;
        float widest = 0.0f;
        for (const auto& ring : span) {
            widest = std::max(widest, ring.second.second - ring.second.first);
        }
        const auto width = [](const std::pair<float, float>& r) { return r.second - r.first; };
        EXPECT_LT(width(span.begin()->second), widest * 0.6f) << family;
        EXPECT_LT(width(span.rbegin()->second), widest * 0.6f) << family;
    }
}
