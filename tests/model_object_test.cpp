#include "helpers/MessageLog.hpp"
#include "helpers/RunFolder.hpp"
#include "model/ModelObject.hpp"
#include "support/GLTestContext.hpp"
#include "tools/writers/Writer3ds.hpp"

#include <GL/gl.h>

#include <cstring>

using namespace testing_tools;

namespace {

using ModelObjects = GLTest;

// A square of two triangles facing +z, from (x, y) to (x + 10, y + 10), with texture coordinates.
writers::ObjectDescription Square(const std::string& name, float x, float y,
                                  std::vector<std::string> groups) {
    writers::ObjectDescription square;
    square.name = name;
    square.vertices = {{x, y, 0}, {x + 10, y, 0}, {x + 10, y + 10, 0}, {x, y + 10, 0}};
    square.texCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    square.faces = {{0, 1, 2}, {0, 2, 3}};
    square.materialGroups = std::move(groups);
    return square;
}

std::string WriteModel(const writers::SceneDescription& scene) {
    EXPECT_TRUE(writers::Write3dsFile("MODELOS/test.3DS", scene));
    return "MODELOS/test.3DS";
}

// Looks down -z at the plane z = 0 with one unit per pixel, lighting off, nothing cleared but colour.
void FlatView(GLTestContext& gl) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, gl.Width(), 0, gl.Height(), -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return r << 16 | g << 8 | b;
}

} // namespace

TEST_F(ModelObjects, TextureSlotsFollowTheMaterialsWithOrWithoutTexture) {
    RunFolder run;
    RunFolder::WriteSolidTexture("WOOD.BMP", 2, 2, 90, 60, 30);
    writers::SceneDescription scene;
    scene.materials = {{"Plain", {1, 2, 3}, ""}, {"Wood", {0, 0, 0}, "WOOD.BMP"}, {"Paint", {4, 5, 6}, ""}};
    ModelObject object(WriteModel(scene).c_str());
    EXPECT_EQ(object.radius, 15.0f);
    EXPECT_EQ(object.nextTextureSlot, 0);
    object.LoadTextures();
    EXPECT_EQ(object.textures[0], 0u);
    EXPECT_NE(object.textures[1], 0u);
    EXPECT_EQ(object.textures[2], 0u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(object.model.materials[i].textureSlot, i);
    }
    EXPECT_EQ(object.nextTextureSlot, 3);
}

TEST_F(ModelObjects, MoreThanThirtyMaterialsNeverWritePastTheTextures) {
    RunFolder run;
    RunFolder::WriteSolidTexture("T.BMP", 2, 2, 9, 9, 9);
    writers::SceneDescription scene;
    for (int i = 0; i < 33; ++i) {
        scene.materials.push_back({"M" + std::to_string(i), {0, 0, 0}, "T.BMP"});
    }
    ModelObject object(WriteModel(scene).c_str());
    object.LoadTextures();
    for (int i = 0; i < kModelTextureSlots; ++i) {
        EXPECT_NE(object.textures[i], 0u) << i;
    }
    EXPECT_EQ(object.nextTextureSlot, 33); // the field right after the array is intact
    EXPECT_EQ(object.model.materials[32].textureSlot, 32);
    EXPECT_EQ(object.radius, 15.0f);
}

TEST(ModelObject, PlaceReplacesThePositionAndAddsTheYaw) {
    MessageLog log;
    ModelObject object("/nonexistent/pinguino.3DS");
    EXPECT_EQ(object.model.ObjectCount(), 0);
    EXPECT_EQ(log.Messages().size(), 1u);
    object.Place(1, 2, 3, 0);
    object.Place(4, 5, 6, 0);
    EXPECT_EQ(object.position.x, 4.0f);
    EXPECT_EQ(object.position.z, 6.0f);
    EXPECT_EQ(object.yaw, 0.0f);
    object.Place(0, 0, 0, 30);
    object.Place(0, 0, 0, 15);
    EXPECT_EQ(object.yaw, 45.0f);
}

TEST(ModelObject, CollisionMembersTestItsSphere) {
    MessageLog log;
    ModelObject object("/nonexistent/pinguino.3DS");
    const Vector3 triangle[3] = {{0, 0, 0}, {0, 0, -10}, {10, 0, 0}};
    object.Place(2, 5, -2, 0);
    EXPECT_TRUE(object.SphereTouchesTriangle(triangle));
    object.Place(2, 15, -2, 0); // exactly one radius away: no contact
    EXPECT_FALSE(object.SphereTouchesTriangle(triangle));
    object.Place(0, 0, 0, 0);
    EXPECT_TRUE(object.SphereOverlapsCube(0, 0, 0, 1));
    EXPECT_TRUE(object.SphereOverlapsCube(0, 0, 25, 10)); // the face at z = 15 touches
    EXPECT_FALSE(object.SphereOverlapsCube(0, 0, 26, 10));
}

// Untextured objects take their material's colour (white without one); textured objects are drawn
// white under their texture, and one whose material index is -1 binds texture 0.
TEST_F(ModelObjects, DrawColoursTexturesAndWraps) {
    RunFolder run;
    RunFolder::WriteSolidTexture("GREEN.BMP", 4, 4, 30, 160, 90);
    writers::SceneDescription scene;
    scene.materials = {{"Red", {200, 10, 20}, ""}, {"Green", {1, 1, 1}, "GREEN.BMP"}};
    scene.objects = {Square("Red", 10, 10, {"Red"}), Square("Unknown", 30, 10, {"Nothing"}),
                     Square("Textured", 50, 10, {"Green"}), Square("Lost", 70, 10, {"Green", "Nothing"})};
    writers::ObjectDescription broken = Square("Broken", 90, 10, {"Red"});
    broken.faces.push_back({0, 1, 40}); // names a vertex the object lacks: left out
    scene.objects.push_back(broken);
    ModelObject object(WriteModel(scene).c_str());
    ASSERT_EQ(object.model.objects[3].materialIndex, -1);
    ASSERT_TRUE(object.model.objects[3].textured);
    object.LoadTextures();
    FlatView(GL());

    GLfloat before[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    object.Draw(false);
    GLfloat after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0); // the last textured object had material index -1
    glBindTexture(GL_TEXTURE_2D, object.textures[1]);
    GLint wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);

    EXPECT_EQ(GL().PixelAt(15, 15), Rgb(200, 10, 20));
    EXPECT_EQ(GL().PixelAt(35, 15), Rgb(255, 255, 255));
    EXPECT_EQ(GL().PixelAt(55, 15), Rgb(30, 160, 90));
    EXPECT_EQ(GL().PixelAt(75, 15), Rgb(255, 255, 255)); // texture 0 has no image: untextured white
    EXPECT_EQ(GL().PixelAt(95, 15), Rgb(200, 10, 20));
    EXPECT_EQ(GL().PixelAt(95, 35), Rgb(0, 0, 0));

    object.Draw(true);
    glBindTexture(GL_TEXTURE_2D, object.textures[1]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap);
    EXPECT_EQ(wrap, GL_REPEAT);

    // Placing moves the drawing; a yaw turns it about the world's vertical axis through the origin.
    glClear(GL_COLOR_BUFFER_BIT);
    object.Place(100, 100, 0, 0);
    object.Draw(false);
    EXPECT_EQ(GL().PixelAt(115, 115), Rgb(200, 10, 20));
    EXPECT_EQ(GL().PixelAt(15, 15), Rgb(0, 0, 0));
    glClear(GL_COLOR_BUFFER_BIT);
    object.Place(-200, 0, 0, 180); // x + position, then turned: x becomes 200 - x
    object.Draw(false);
    EXPECT_EQ(GL().PixelAt(185, 15), Rgb(200, 10, 20));
    EXPECT_EQ(GL().PixelAt(165, 15), Rgb(255, 255, 255));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
