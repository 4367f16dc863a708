#include "helpers/ExternalTools.hpp"
#include "model/Reader3DS.hpp"
#include "model/VertexNormals.hpp"
#include "tools/content/RunFolder.hpp"
#include "tools/reference/ReferenceNormals.hpp"
#include "tools/writers/Writer3ds.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

using namespace testing_tools;

namespace {

void ExpectSameBits(const Model& model) {
    for (const MeshObject& object : model.objects) {
        const std::vector<Vector3> expected = testing_tools::ReferenceNormals(object);
        ASSERT_EQ(object.normals.size(), expected.size());
        ASSERT_EQ(std::memcmp(expected.data(), object.normals.data(), expected.size() * sizeof(Vector3)), 0)
            << object.name;
    }
}

// A closed, irregular sphere: the kind of smooth mesh whose normals the game shows.
writers::ObjectDescription Sphere(int rings, int segments, float radius) {
    writers::ObjectDescription sphere;
    sphere.name = "Sphere";
    for (int r = 0; r <= rings; ++r) {
        const float theta = 3.14159265f * r / rings;
        for (int s = 0; s < segments; ++s) {
            const float phi = 6.28318531f * s / segments;
            const float wobble = radius * (1.0f + 0.1f * std::sin(3.0f * phi + theta));
            sphere.vertices.push_back({wobble * std::sin(theta) * std::cos(phi), wobble * std::cos(theta),
                                       wobble * std::sin(theta) * std::sin(phi)});
        }
    }
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            const auto at = [&](int rr, int ss) {
                return static_cast<std::uint16_t>(rr * segments + ss % segments);
            };
            sphere.faces.push_back({at(r, s), at(r + 1, s + 1), at(r + 1, s)});
            sphere.faces.push_back({at(r, s), at(r, s + 1), at(r + 1, s + 1)});
        }
    }
    return sphere;
}

} // namespace

TEST(VertexNormals, LinearBuildMatchesTheReferenceScanOnReadModels) {
    writers::SceneDescription scene;
    scene.objects.push_back(Sphere(24, 40, 30.0f));
    scene.objects.push_back(Sphere(3, 5, 0.001f));
    const std::string path = ScratchFolder() + "/sphere.3ds";
    ASSERT_TRUE(writers::Write3dsFile(path.c_str(), scene));
    Model model;
    ASSERT_TRUE(Read3dsFile(model, path.c_str()));
    ExpectSameBits(model);
    // Counter-clockwise faces seen from outside give outward normals.
    const MeshObject& sphere = model.objects[0];
    const int equator = 12 * 40 + 7;
    EXPECT_GT(DotProduct(sphere.normals[equator], Normalized(sphere.vertices[equator])), 0.9f);
}

TEST(VertexNormals, LinearBuildMatchesTheReferenceScanOnRandomMeshes) {
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        Model model;
        const int index = AppendObject(model);
        MeshObject& object = model.objects[index];
        object.vertices.resize(1 + random() % 60);
        std::uniform_real_distribution<float> coordinate(-1000.0f, 1000.0f);
        for (Vector3& vertex : object.vertices) {
            vertex = Vector3(coordinate(random), coordinate(random), coordinate(random));
        }
        object.faces.resize(random() % 200);
        for (Face& face : object.faces) {
            for (std::int32_t& index : face.vertexIndex) {
                // Repeated corners and, now and then, an index past the vertices.
                index = static_cast<int>(random() % (object.VertexCount() + 2));
            }
        }
        BuildVertexNormals(model);
        ExpectSameBits(model);
        BuildVertexNormals(model); // a second build replaces the array with the same values
        ExpectSameBits(model);
    }
}

TEST(VertexNormals, LinearBuildMatchesTheReferenceScanOnTheGamesModels) {
    const std::string folder = ScratchFolder() + "/game";
    ASSERT_TRUE(WriteRunFolder(folder));
    for (const char* file : {"/MODELOS/pinguino.3DS", "/MODELOS/church.3DS"}) {
        Model model;
        ASSERT_TRUE(Read3dsFile(model, (folder + file).c_str()));
        ASSERT_GT(model.ObjectCount(), 0);
        ExpectSameBits(model);
    }
}
