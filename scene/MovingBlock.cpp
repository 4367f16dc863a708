#include "scene/MovingBlock.hpp"

#include "model/Texture.hpp"

#include <GL/gl.h>

namespace {

// Travel distance set by PlaceBlock; kinds the game does not use travel nowhere.
float TravelDistance(BlockKind kind) {
    switch (kind) {
    case BlockKind::Door:
        return 100.0f;
    case BlockKind::Switch:
        return 3.0f;
    default:
        return 0.0f;
    }
}

// Step per drawn frame; kinds the game does not use have no step.
float StepSize(BlockKind kind) {
    switch (kind) {
    case BlockKind::Door:
        return 0.8f;
    case BlockKind::Switch:
        return 0.5f;
    default:
        return 0.0f;
    }
}

// The component of v that direction moves along (x for 0 and 3, y for 1 and 4, z for 2 and 5).
float& Component(Vector3& v, BlockDirection direction) {
    switch (static_cast<int>(direction) % 3) {
    case 0:
        return v.x;
    case 1:
        return v.y;
    default:
        return v.z;
    }
}

bool IsDirection(BlockDirection direction) {
    const int value = static_cast<int>(direction);
    return value >= 0 && value <= 5;
}

// Directions away from the origin along their axis: +x, +y and +z.
bool Outwards(BlockDirection direction) {
    return static_cast<int>(direction) < 3;
}

} // namespace

TextureResult MovingBlock::LoadBlockTexture(std::uint32_t* textures, const char* fileName, int slot) {
    TextureResult result = LoadTexture(textures, kBlockTextureSlots, fileName, slot);
    texture = slot;
    return result;
}

void MovingBlock::PlaceBlock(float x, float y, float z, BlockKind kind_, BlockDirection direction_) {
    start = Vector3(x, y, z);
    const float distance = TravelDistance(kind_);
    kind = kind_;
    if (IsDirection(direction_)) {
        target = start;
        float& end = Component(target, direction_);
        end = Outwards(direction_) ? end + distance : end - distance;
    }
    direction = direction_;
    current = start;
}

void MovingBlock::Trigger() {
    current.y = start.y;
    if (current.y != 0.0f) {
        moving = true;
    }
}

void MovingBlock::Advance() {
    if (!IsDirection(direction)) {
        return;
    }
    const float step = StepSize(kind);
    const bool outwards = Outwards(direction);
    float& c = Component(current, direction);
    const float t = Component(target, direction);
    const float s = Component(start, direction);
    if (moving) {
        if (outwards) {
            c = c + step;
            if (c >= t) {
                moving = false;
            }
        } else {
            c = c - step;
            if (c <= t) {
                moving = false;
            }
        }
    } else if (outwards) {
        if (c > s) {
            c = c - step;
        }
    } else if (c < s) {
        c = c + step;
    }
}

void MovingBlock::Draw(const std::uint32_t* textures, float width, float height, float depth) const {
    // A slot outside the table binds the default texture rather than reading past the table.
    const GLuint name = texture >= 0 && texture < kBlockTextureSlots ? textures[texture] : 0;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);

    const float x = current.x, y = current.y, z = current.z;
    const float w = width, h = height, d = depth;
    // Six separate quads, each showing the whole texture once: corner (x, y, z, s, t).
    const float faces[6][4][5] = {
        {{x + w, y, z, 1, 0}, {x + w, y + h, z, 1, 1}, {x, y + h, z, 0, 1}, {x, y, z, 0, 0}},
        {{x, y, z + d, 1, 0}, {x, y + h, z + d, 1, 1}, {x + w, y + h, z + d, 0, 1}, {x + w, y, z + d, 0, 0}},
        {{x, y, z, 1, 0}, {x, y, z + d, 1, 1}, {x + w, y, z + d, 0, 1}, {x + w, y, z, 0, 0}},
        {{x + w, y + h, z, 0, 1}, {x + w, y + h, z + d, 0, 0}, {x, y + h, z + d, 1, 0}, {x, y + h, z, 1, 1}},
        {{x, y + h, z, 1, 1}, {x, y + h, z + d, 0, 1}, {x, y, z + d, 0, 0}, {x, y, z, 1, 0}},
        {{x + w, y, z, 0, 0}, {x + w, y, z + d, 1, 0}, {x + w, y + h, z + d, 1, 1}, {x + w, y + h, z, 0, 1}},
    };
    for (const auto& face : faces) {
        glBegin(GL_QUADS);
        for (const auto& corner : face) {
            glTexCoord2f(corner[3], corner[4]);
            glVertex3f(corner[0], corner[1], corner[2]);
        }
        glEnd();
    }

    glDisable(GL_TEXTURE_2D);
}
