#pragma once

#include "geometry/Vector3.hpp"
#include "model/Model.hpp"
#include "model/Texture.hpp"

#include <cstdint>

inline constexpr int kModelTextureSlots = 30; // GL texture names per model: entry i belongs to material i
// The radius of every model's collision sphere: the penguin's, which walls and penguins stop.
inline constexpr float kCollisionRadius = 15.0f;

// A 3DS model made ready for use: read when constructed, its materials' textures made at start-up,
// placed in the world and drawn in immediate mode. Its position and radius are also a collision
// sphere. The process-wide instances are the penguin and the level.
struct ModelObject {
    Model model;
    std::uint32_t textures[kModelTextureSlots] = {}; // 0 where no texture was made
    std::int32_t nextTextureSlot = 0;                // next entry of textures to fill
    float radius = kCollisionRadius;                 // of the collision sphere
    float yaw = 0.0f;                                // degrees about the vertical axis, applied when drawing
    Vector3 position{0.0f, 0.0f, 0.0f};              // where the model is drawn; the sphere's centre

    // Reads the 3DS file at path (Read3dsFile shows what goes wrong; a failed read leaves the model
    // empty). Issues no GL calls, so it may run during static construction.
    explicit ModelObject(const char* path);
    ModelObject(const ModelObject&) = delete;
    ModelObject& operator=(const ModelObject&) = delete;

    // For every material in order: loads its texture file, if it names one, into the next slot
    // (a file an earlier material named is not read again: the slot shares that texture), sets
    // its textureSlot to that slot and advances the slot, with or without a texture. Materials
    // past the 30th get a slot number but never a texture. Needs a current GL context. Stops at the
    // first texture file that cannot be opened and returns what LoadTexture said of it.
    TextureResult LoadTextures();

    // Replaces position and adds yawStep to yaw. Issues no GL calls.
    void Place(float x, float y, float z, float yawStep);

    // Draws every object as GL_TRIANGLES in immediate mode under glRotatef(yaw) then
    // glTranslatef(position), inside a matrix push and pop. Textured objects: texturing on, white,
    // their material's texture bound (texture 0 when the material index has no slot), GL_REPEAT on
    // both wraps when repeatWrap; others: texturing off, each vertex in the material's colour (white
    // without one). Faces naming vertices the object lacks are left out; a texture coordinate the
    // object lacks is not sent. With a tint (red, green, blue), every colour sent is first scaled by
    // it, 255 leaving a channel as it is: the same model in another colour.
    void Draw(bool repeatWrap, const std::uint8_t* tint = nullptr) const;

    // The collision tests of the sphere (position, radius): against three consecutive vertices
    // (touching the triangle's surface does not count), and against the axis-aligned cube of centre
    // (x, y, z) and half edge h (touching counts). Issue no GL calls.
    bool SphereTouchesTriangle(const Vector3* triangle) const;
    bool SphereOverlapsCube(float x, float y, float z, float h) const;
};
