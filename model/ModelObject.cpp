#include "model/ModelObject.hpp"

#include "geometry/Collision.hpp"
#include "model/Reader3DS.hpp"
#include "model/Texture.hpp"

#include <GL/gl.h>

#include <string>
#include <unordered_map>

ModelObject::ModelObject(const char* path) {
    Read3dsFile(model, path);
}

TextureResult ModelObject::LoadTextures() {
    // A file named by many materials is read once; the later materials share its texture.
    std::unordered_map<std::string, std::int32_t> slotsByFile;
    for (std::int32_t i = 0; i < model.MaterialCount(); ++i) {
        Material& material = model.materials[i];
        if (material.textureFile[0] != '\0') {
            const auto [first, added] = slotsByFile.emplace(material.textureFile, nextTextureSlot);
            if (!added) {
                if (nextTextureSlot < kModelTextureSlots) {
                    textures[nextTextureSlot] = textures[first->second];
                }
            } else {
                TextureResult result =
                    LoadTexture(textures, kModelTextureSlots, material.textureFile, nextTextureSlot);
                if (!result.opened) {
                    return result;
                }
            }
        }
        material.textureSlot = nextTextureSlot;
        ++nextTextureSlot;
    }
    return TextureResult{};
}

void ModelObject::Place(float x, float y, float z, float yawStep) {
    position = Vector3(x, y, z);
    yaw += yawStep;
}

namespace {

// glColor3ub of (r, g, b), each scaled by tint's channel over 255 when there is a tint.
void SendColour(std::uint8_t r, std::uint8_t g, std::uint8_t b, const std::uint8_t* tint) {
    if (tint == nullptr) {
        glColor3ub(r, g, b);
        return;
    }
    glColor3ub(static_cast<std::uint8_t>(r * tint[0] / 255), static_cast<std::uint8_t>(g * tint[1] / 255),
               static_cast<std::uint8_t>(b * tint[2] / 255));
}

} // namespace

void ModelObject::Draw(bool repeatWrap, const std::uint8_t* tint) const {
    glPushMatrix();
    glRotatef(yaw, 0.0f, 1.0f, 0.0f);
    glTranslatef(position.x, position.y, position.z);
    for (const MeshObject& object : model.objects) {
        const bool hasMaterial = object.materialIndex >= 0 && object.materialIndex < model.MaterialCount();
        if (object.textured) {
            const bool hasSlot = object.materialIndex >= 0 && object.materialIndex < kModelTextureSlots;
            glEnable(GL_TEXTURE_2D);
            SendColour(255, 255, 255, tint);
            glBindTexture(GL_TEXTURE_2D, hasSlot ? textures[object.materialIndex] : 0);
            if (repeatWrap) {
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
            }
        } else {
            glDisable(GL_TEXTURE_2D);
            SendColour(255, 255, 255, tint);
        }
        const std::int32_t texCoordCount = object.TexCoordCount();
        glBegin(GL_TRIANGLES);
        for (const Face& face : object.faces) {
            if (!FaceWithinVertices(face, object.VertexCount())) {
                continue;
            }
            for (const std::int32_t k : face.vertexIndex) {
                const Vector3& normal = object.normals[k];
                glNormal3f(normal.x, normal.y, normal.z);
                if (object.textured) {
                    if (k < texCoordCount) {
                        glTexCoord2f(object.texCoords[k].u, object.texCoords[k].v);
                    }
                } else if (hasMaterial) {
                    const std::uint8_t* colour = model.materials[object.materialIndex].colour;
                    SendColour(colour[0], colour[1], colour[2], tint);
                }
                const Vector3& vertex = object.vertices[k];
                glVertex3f(vertex.x, vertex.y, vertex.z);
            }
        }
        glEnd();
    }
    glPopMatrix();
}

bool ModelObject::SphereTouchesTriangle(const Vector3* triangle) const {
    return SphereTouchesPolygon(triangle, position, 3, radius);
}

bool ModelObject::SphereOverlapsCube(float x, float y, float z, float h) const {
    return ::SphereOverlapsCube(position, radius, x, y, z, h);
}
