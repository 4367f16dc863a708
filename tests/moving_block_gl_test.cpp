#include "scene/MovingBlock.hpp"
#include "support/GLTestContext.hpp"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

using MovingBlockDrawing = GLTest;

struct Corner {
    float x, y, z, s, t;
};

// The polygons Draw sends, read back through GL feedback, with window coordinates mapped
// back to the world (the projection maps x and y one to one and z linearly).
std::vector<std::vector<Corner>> CapturePolygons(const MovingBlock& block, const std::uint32_t* textures,
                                                 float w, float h, float d) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 256, 0, 256, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    block.Draw(textures, w, h, d);
    const int used = glRenderMode(GL_RENDER);
    std::vector<std::vector<Corner>> polygons;
    for (int i = 0; i < used;) {
        const int token = int(buffer[i++]);
        if (token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        const int count = int(buffer[i++]);
        std::vector<Corner>& polygon = polygons.emplace_back();
        for (int k = 0; k < count; ++k) {
            const GLfloat* v = &buffer[i];
            // x, y, z, then colour (4), then texture (4)
            polygon.push_back({v[0], v[1], -(2.0f * v[2] - 1.0f) * 1000.0f, v[7], v[8]});
            i += 11;
        }
    }
    return polygons;
}

} // namespace

TEST_F(MovingBlockDrawing, DrawsSixTexturedQuadsAtTheCurrentCornerAfterOneStep) {
    GLuint name = 0;
    glGenTextures(1, &name);
    std::uint32_t textures[kBlockTextureSlots] = {};
    textures[3] = name;
    MovingBlock door;
    door.PlaceBlock(10, 20, 30, BlockKind::Door, BlockDirection::PlusY);
    door.texture = 3;
    door.Trigger();
    door.Advance();

    // The block is drawn where its last step left it.
    std::vector<std::vector<Corner>> polygons = CapturePolygons(door, textures, 40, 50, 5);
    EXPECT_FLOAT_EQ(door.current.y, 20.8f);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), name);

    // The box runs from the corner (10, 20.8, 30) over 40 x 50 x 5. Each of its six faces must be
    // drawn once, as one quad or (as Mesa sends it) two triangles, with the face's four corners and
    // the texture's four corners: s and t each 0 on one edge of the face and 1 on the opposite one.
    const float low[3] = {10, 20.8f, 30};
    const float high[3] = {50, 70.8f, 35};
    const bool split = polygons.size() == 12;
    ASSERT_TRUE(polygons.size() == 6 || split) << polygons.size();
    bool faceSeen[3][2] = {};
    for (std::size_t f = 0; f < 6; ++f) {
        std::vector<Corner> face = polygons[split ? 2 * f : f];
        if (split) {
            face.insert(face.end(), polygons[2 * f + 1].begin(), polygons[2 * f + 1].end());
        }
        // Each corner as the bounds it lies on: 0 low, 1 high, per axis.
        std::vector<std::array<int, 5>> corners; // axis bounds, then s and t
        for (const Corner& c : face) {
            const float at[3] = {c.x, c.y, c.z};
            std::array<int, 5> key{};
            for (int axis = 0; axis < 3; ++axis) {
                const bool onLow = std::fabs(at[axis] - low[axis]) < 1e-2f;
                ASSERT_TRUE(onLow || std::fabs(at[axis] - high[axis]) < 1e-2f)
                    << "face " << f << " axis " << axis;
                key[axis] = onLow ? 0 : 1;
            }
            ASSERT_TRUE((c.s == 0 || c.s == 1) && (c.t == 0 || c.t == 1)) << "face " << f;
            key[3] = int(c.s);
            key[4] = int(c.t);
            if (std::find(corners.begin(), corners.end(), key) == corners.end()) {
                corners.push_back(key);
            }
        }
        ASSERT_EQ(corners.size(), 4u) << "face " << f;
        int flatAxis = -1;
        for (int axis = 0; axis < 3; ++axis) {
            if (std::all_of(corners.begin(), corners.end(),
                            [&](const auto& k) { return k[axis] == corners[0][axis]; })) {
                flatAxis = axis;
            }
        }
        ASSERT_GE(flatAxis, 0) << "face " << f << " is not on a side of the box";
        EXPECT_FALSE(faceSeen[flatAxis][corners[0][flatAxis]]) << "face " << f << " drawn twice";
        faceSeen[flatAxis][corners[0][flatAxis]] = true;
        // s and t each follow one of the face's two free axes, and not the same one.
        int sAxis = -1, tAxis = -1;
        for (int axis = 0; axis < 3; ++axis) {
            const auto follows = [&](int texture) {
                return std::all_of(corners.begin(), corners.end(),
                                   [&](const auto& k) { return k[texture] == k[axis]; }) ||
                       std::all_of(corners.begin(), corners.end(),
                                   [&](const auto& k) { return k[texture] != k[axis]; });
            };
            if (axis != flatAxis && follows(3)) {
                sAxis = axis;
            }
            if (axis != flatAxis && follows(4)) {
                tAxis = axis;
            }
        }
        EXPECT_TRUE(sAxis >= 0 && tAxis >= 0 && sAxis != tAxis)
            << "face " << f << ": texture not spread over it";
    }
    glDeleteTextures(1, &name);
}
