#include "helpers/ExternalTools.hpp"
#include "helpers/MessageLog.hpp"
#include "model/Reader3DS.hpp"
#include "tools/writers/ChunkWriter.hpp"
#include "tools/writers/Writer3ds.hpp"

#include <gtest/gtest.h>

#include <random>

using namespace testing_tools;
using writers::ChunkWriter;

namespace {

std::string WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = ScratchFolder() + "/" + name;
    EXPECT_TRUE(writers::WriteFileBytes(path.c_str(), bytes));
    return path;
}

std::string WriteScene(const std::string& name, const writers::SceneDescription& scene) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(writers::Build3ds(scene, bytes));
    return WriteBytes(name, bytes);
}

// Reads path into a fresh model.
struct LoadedModel {
    Model model;
    bool ok;
    explicit LoadedModel(const std::string& path) : ok(Read3dsFile(model, path.c_str())) {}
};

writers::ObjectDescription Triangle(const std::string& name, std::vector<std::string> groups) {
    writers::ObjectDescription object;
    object.name = name;
    object.vertices = {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}};
    object.faces = {{0, 1, 2}};
    object.materialGroups = std::move(groups);
    return object;
}

writers::SceneDescription SmallScene() {
    writers::SceneDescription scene;
    scene.materials.push_back({"Red", {200, 10, 20}, ""});
    scene.materials.push_back({"Brick", {1, 2, 3}, "BRICK.BMP"});
    writers::ObjectDescription box = Triangle("Box", {"Brick"});
    box.vertices.push_back({0, 0, 1.5f});
    box.texCoords = {{0, 0}, {1, 0}, {0, 1}, {0.5f, 0.25f}};
    box.faces.push_back({0, 2, 3});
    scene.objects.push_back(box);
    scene.objects.push_back(Triangle("Plain", {"Red"}));
    return scene;
}

// Main chunk > editor chunk with a harmless first child, then whatever body writes.
template <typename Body> std::vector<std::uint8_t> HandMade(Body body) {
    ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x3D3D);
    w.Begin(0x3D3E);
    w.U32(3);
    w.End();
    body(w);
    w.End();
    w.End();
    return w.Data();
}

void MaterialWithColour(ChunkWriter& w, const std::string& name, std::uint16_t colourId,
                        const std::vector<std::uint8_t>& colour) {
    w.Begin(0xAFFF);
    w.Begin(0xA000);
    w.Name(name);
    w.End();
    w.Begin(0xA020);
    w.Begin(colourId);
    w.Bytes(colour.data(), colour.size());
    w.End();
    w.End();
    w.End();
}

std::vector<std::uint8_t> Floats(std::initializer_list<float> values) {
    ChunkWriter w;
    for (const float v : values) {
        w.F32(v);
    }
    return w.Data();
}

} // namespace

TEST(Reader3DS, ReadsWhatTheWriterWrote) {
    MessageLog log;
    LoadedModel loaded(WriteScene("small.3ds", SmallScene()));
    ASSERT_TRUE(loaded.ok);
    EXPECT_TRUE(log.Messages().empty());
    const Model& m = loaded.model;
    ASSERT_EQ(m.MaterialCount(), 2);
    EXPECT_STREQ(m.materials[0].name, "Red");
    EXPECT_STREQ(m.materials[0].textureFile, "");
    EXPECT_EQ(m.materials[0].colour[0], 200);
    EXPECT_EQ(m.materials[0].colour[2], 20);
    EXPECT_STREQ(m.materials[1].textureFile, "BRICK.BMP");
    ASSERT_EQ(m.ObjectCount(), 2);
    const MeshObject& box = m.objects[0];
    EXPECT_STREQ(box.name, "Box");
    EXPECT_EQ(box.VertexCount(), 4);
    EXPECT_EQ(box.FaceCount(), 2);
    EXPECT_EQ(box.TexCoordCount(), 4);
    EXPECT_EQ(box.vertices[3].z, 1.5f);
    EXPECT_EQ(box.texCoords[3].v, 0.25f);
    EXPECT_EQ(box.faces[1].vertexIndex[2], 3);
    EXPECT_EQ(box.materialIndex, 1);
    EXPECT_TRUE(box.textured);
    EXPECT_EQ(m.objects[1].materialIndex, 0);
    EXPECT_FALSE(m.objects[1].textured);
    EXPECT_TRUE(m.objects[1].texCoords.empty());
    // The triangle (0,0,0), (10,0,0), (0,10,0) runs counter-clockwise seen from +z.
    EXPECT_EQ(m.objects[1].normals[0].z, 1.0f);
}

TEST(Reader3DS, MaterialMatchingFollowsFileOrderAndTheLastGroup) {
    writers::SceneDescription scene;
    scene.objects.push_back(Triangle("Alone", {"Tex"})); // no material read at all: index left at 0
    LoadedModel none(WriteScene("none.3ds", scene));
    EXPECT_EQ(none.model.MaterialCount(), 0);
    EXPECT_EQ(none.model.objects[0].materialIndex, 0);
    EXPECT_FALSE(none.model.objects[0].textured);

    // The writer puts materials first, so the "material after its object" case is made by hand.
    const std::vector<std::uint8_t> bytes = HandMade([](ChunkWriter& w) {
        MaterialWithColour(w, "Tex", 0x0011, {1, 2, 3});
        w.Begin(0x4000);
        w.Name("Obj");
        w.Begin(0x4100);
        w.Begin(0x4120);
        w.U16(0);
        w.Begin(0x4130);
        w.Name("Later");
        w.U16(0);
        w.End();
        w.End();
        w.End();
        w.End();
        MaterialWithColour(w, "Later", 0x0011, {4, 5, 6});
    });
    LoadedModel after(WriteBytes("after.3ds", bytes));
    EXPECT_EQ(after.model.objects[0].materialIndex, -1);
    EXPECT_EQ(after.model.MaterialCount(), 2);

    scene.materials.push_back({"Tex", {0, 0, 0}, "A.BMP"});
    scene.materials.push_back({"Late", {9, 9, 9}, ""});

    scene.objects = {Triangle("Two", {"Tex", "Late"}), Triangle("Lost", {"Tex", "Nothing"}),
                     Triangle("Unknown", {"nothing"}), Triangle("Case", {"tex"})};
    LoadedModel groups(WriteScene("groups.3ds", scene));
    const Model& m = groups.model;
    EXPECT_EQ(m.objects[0].materialIndex, 1);
    EXPECT_TRUE(m.objects[0].textured);
    EXPECT_EQ(m.objects[1].materialIndex, -1);
    EXPECT_TRUE(m.objects[1].textured);
    EXPECT_EQ(m.objects[2].materialIndex, -1);
    EXPECT_FALSE(m.objects[2].textured);
    EXPECT_EQ(m.objects[3].materialIndex, -1);
}

TEST(Reader3DS, ObjectsWithoutFacesOrVerticesAndLargeCounts) {
    writers::SceneDescription scene;
    writers::ObjectDescription cloud;
    cloud.name = "Cloud";
    for (int i = 0; i < 40000; ++i) {
        cloud.vertices.push_back({static_cast<float>(i), 0, 0});
    }
    scene.objects.push_back(cloud);
    scene.objects.push_back(writers::ObjectDescription{"Empty", {}, {}, {}, {}});
    LoadedModel loaded(WriteScene("cloud.3ds", scene));
    const MeshObject& big = loaded.model.objects[0];
    EXPECT_EQ(big.VertexCount(), 40000);
    EXPECT_EQ(big.vertices[39999].x, 39999.0f);
    EXPECT_EQ(big.FaceCount(), 0);
    ASSERT_EQ(big.normals.size(), 40000u);
    EXPECT_EQ(big.normals[5].x, 0.0f); // no face uses it
    const MeshObject& empty = loaded.model.objects[1];
    EXPECT_TRUE(empty.vertices.empty() && empty.normals.empty());
}

TEST(Reader3DS, MessagesAndTheirCaptions) {
    {
        MessageLog log;
        Model model;
        EXPECT_FALSE(Read3dsFile(model, "/nonexistent/pinguino.3DS"));
        ASSERT_EQ(log.Messages().size(), 1u);
        EXPECT_EQ(log.Messages()[0].caption, "Importar3DS");
        EXPECT_EQ(log.Messages()[0].text, "Error al cargar el archivo: /nonexistent/pinguino.3DS!");
    }
    {
        MessageLog log;
        ChunkWriter w;
        w.Begin(0x3D3D);
        w.End();
        const std::string path = WriteBytes("notmain.3ds", w.Data());
        LoadedModel loaded(path);
        EXPECT_FALSE(loaded.ok);
        ASSERT_EQ(log.Messages().size(), 1u);
        EXPECT_EQ(log.Messages()[0].caption, "Error");
        EXPECT_EQ(log.Messages()[0].text, "Error al cargar el chunk PRIMARIO del archivo " + path);
    }
    for (const std::uint32_t version : {3u, 4u, 0xFFFFFFFFu}) {
        MessageLog log;
        writers::SceneDescription scene = SmallScene();
        scene.version = version;
        LoadedModel loaded(WriteScene("version.3ds", scene));
        EXPECT_TRUE(loaded.ok);
        EXPECT_EQ(loaded.model.ObjectCount(), 2); // loading goes on after the warning
        if (version == 4) {
            ASSERT_EQ(log.Messages().size(), 1u);
            EXPECT_EQ(log.Messages()[0].caption, "Atencion!!!");
            EXPECT_EQ(log.Messages()[0].text,
                      "Este archivo 3ds es posterior a la version 3.0 por lo que podr\xED"
                      "a haber errores en la carga");
        } else {
            EXPECT_TRUE(log.Messages().empty()) << version; // -1 as a signed number is not above 3
        }
    }
    {
        // A version chunk of other than 4 data bytes never warns.
        MessageLog log;
        ChunkWriter w;
        w.Begin(0x4D4D);
        w.Begin(0x0002);
        w.U32(7);
        w.U8(0);
        w.End();
        w.End();
        LoadedModel loaded(WriteBytes("version5.3ds", w.Data()));
        EXPECT_TRUE(loaded.ok);
        // Only that the file, sound as it is, holds nothing to draw.
        ASSERT_EQ(log.Messages().size(), 1u);
        EXPECT_EQ(log.Messages()[0].caption, "Importar3DS");
        EXPECT_NE(log.Messages()[0].text.find("no contiene ning\xFAn objeto con caras que dibujar"),
                  std::string::npos);
    }
}

TEST(Reader3DS, EditorChunkLosesItsFirstChildAndOnlyTheFirstMapIsEntered) {
    const std::vector<std::uint8_t> bytes = [] {
        ChunkWriter w;
        w.Begin(0x4D4D);
        w.Begin(0x3D3D);
        MaterialWithColour(w, "Lost", 0x0011, {1, 1, 1});
        w.Begin(0xAFFF);
        w.Begin(0xA000);
        w.Name("Kept");
        w.End();
        w.Begin(0xA33A); // second texture map: never entered
        w.Begin(0xA300);
        w.Name("SECOND.BMP");
        w.End();
        w.End();
        w.Begin(0xA200);
        w.Begin(0xA300);
        w.Name("FIRST.BMP");
        w.End();
        w.End();
        w.End();
        w.End();
        w.End();
        return w.Data();
    }();
    LoadedModel loaded(WriteBytes("editor.3ds", bytes));
    ASSERT_EQ(loaded.model.MaterialCount(), 1);
    EXPECT_STREQ(loaded.model.materials[0].name, "Kept");
    EXPECT_STREQ(loaded.model.materials[0].textureFile, "FIRST.BMP");
}

TEST(Reader3DS, DiffuseColoursFromBytesAndFromFloats) {
    const std::vector<std::uint8_t> bytes = HandMade([](ChunkWriter& w) {
        MaterialWithColour(w, "Bytes", 0x0011, {10, 20, 30});
        MaterialWithColour(w, "Gamma", 0x0012, {40, 50, 60});
        MaterialWithColour(w, "Floats", 0x0010, Floats({1.0f, 0.5f, 0.0f}));
        MaterialWithColour(w, "Clamped", 0x0013, Floats({2.0f, -1.0f, 0.002f}));
        MaterialWithColour(w, "Long", 0x0011, {1, 2, 3, 4, 5, 6, 7});
        MaterialWithColour(w, "Short", 0x0011, {9});
        MaterialWithColour(w, "Odd", 0x0077, {7, 8, 9, 10});
    });
    LoadedModel loaded(WriteBytes("colours.3ds", bytes));
    const Model& m = loaded.model;
    ASSERT_EQ(m.MaterialCount(), 7);
    const std::uint8_t expected[7][3] = {{10, 20, 30}, {40, 50, 60}, {255, 128, 0}, {255, 0, 1},
                                         {1, 2, 3},    {9, 0, 0},    {7, 8, 9}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(m.materials[i].colour[0], expected[i][0]) << m.materials[i].name;
        EXPECT_EQ(m.materials[i].colour[1], expected[i][1]) << m.materials[i].name;
        EXPECT_EQ(m.materials[i].colour[2], expected[i][2]) << m.materials[i].name;
    }
}

TEST(Reader3DS, LongNamesAreTruncatedAndListsReadForTheirCountOnly) {
    const std::string name254(254, 'n');
    const std::string name400(400, 'x');
    const std::vector<std::uint8_t> bytes = HandMade([&](ChunkWriter& w) {
        w.Begin(0xAFFF);
        w.Begin(0xA000);
        w.Name(name400);
        w.End();
        w.Begin(0xA200);
        w.Begin(0xA300);
        w.Name(name254);
        w.End();
        w.End();
        w.End();
        w.Begin(0x4000);
        w.Name(name400);
        w.Begin(0x4100);
        w.Begin(0x4110); // two vertices and 5 spare bytes
        w.U16(2);
        for (const float v : {1.f, 2.f, 3.f, 4.f, 5.f, 6.f}) {
            w.F32(v);
        }
        w.Bytes("spare", 5);
        w.End();
        w.Begin(0x4140); // three coordinates promised, one and a half present
        w.U16(3);
        w.F32(0.25f);
        w.F32(0.75f);
        w.F32(0.5f);
        w.End();
        w.Begin(0x4120); // out-of-range indices are kept as read
        w.U16(1);
        for (const std::uint16_t v : {0, 1, 9, 0}) {
            w.U16(v);
        }
        w.End();
        w.End();
        w.End();
        w.Begin(0x4000);
        w.Name(name254);
        w.End();
    });
    LoadedModel loaded(WriteBytes("long.3ds", bytes));
    const Model& m = loaded.model;
    EXPECT_EQ(std::string(m.materials[0].name), name400.substr(0, 254));
    EXPECT_EQ(std::string(m.materials[0].textureFile), name254);
    ASSERT_EQ(m.ObjectCount(), 2);
    const MeshObject& object = m.objects[0];
    EXPECT_EQ(std::string(object.name), name400.substr(0, 254));
    EXPECT_EQ(object.VertexCount(), 2);
    EXPECT_EQ(object.vertices[1].z, 6.0f);
    EXPECT_EQ(object.TexCoordCount(), 3);
    EXPECT_EQ(object.texCoords[0].v, 0.75f);
    EXPECT_EQ(object.texCoords[1].u, 0.5f);
    EXPECT_EQ(object.texCoords[1].v, 0.0f);
    EXPECT_EQ(object.texCoords[2].u, 0.0f);
    ASSERT_EQ(object.FaceCount(), 1);
    EXPECT_EQ(object.faces[0].vertexIndex[2], 9);
    EXPECT_EQ(object.normals[0].x, 0.0f); // the face reaches outside the vertices: left out
    EXPECT_EQ(std::string(m.objects[1].name), name254);
}

// Whatever the bytes, the reader ends without reading or writing out of bounds (run under the
// sanitizers to make that visible) and every vertex gets its normal.
TEST(Reader3DS, DamagedFilesEndTheReadingSafely) {
    std::vector<std::uint8_t> valid;
    ASSERT_TRUE(writers::Build3ds(SmallScene(), valid));
    const auto check = [](const std::vector<std::uint8_t>& bytes) {
        MessageLog log;
        LoadedModel loaded(WriteBytes("damaged.3ds", bytes));
        const Model& m = loaded.model;
        for (const MeshObject& object : m.objects) {
            EXPECT_LT(std::char_traits<char>::length(object.name), static_cast<std::size_t>(kTextFieldSize));
            EXPECT_EQ(object.normals.size(), object.vertices.size());
        }
    };
    for (std::size_t cut = 0; cut <= valid.size(); ++cut) {
        check(std::vector<std::uint8_t>(valid.begin(), valid.begin() + cut));
    }
    // Every chunk length in turn set to 0, to 3 and past the end of the file.
    for (std::size_t at = 2; at + 4 <= valid.size(); ++at) {
        for (const std::uint32_t length : {0u, 3u, 0x7FFFFFF0u}) {
            std::vector<std::uint8_t> bytes = valid;
            for (int i = 0; i < 4; ++i) {
                bytes[at + i] = static_cast<std::uint8_t>(length >> (8 * i));
            }
            check(bytes);
        }
    }
    std::mt19937 random(4);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::uint8_t> bytes = valid;
        for (int flips = 0; flips < 4; ++flips) {
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        }
        check(bytes);
    }
}

TEST(Reader3DS, DeeplyNestedChunksDoNotExhaustTheStack) {
    ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x4000);
    w.Name("Deep");
    const int depth = 100000;
    for (int i = 0; i < depth; ++i) {
        w.Begin(0x4100);
    }
    for (int i = 0; i < depth; ++i) {
        w.End();
    }
    w.End();
    w.End();
    LoadedModel loaded(WriteBytes("deep.3ds", w.Data()));
    EXPECT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.model.ObjectCount(), 1);
}
