#include "base/StopRequest.hpp"
#include "geometry/Frustum.hpp"
#include "model/ModelObject.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"

#include <GL/gl.h>

#include <vector>

namespace {

// The largest vertex index a leaf batch hands to the draw call; 0 for an empty batch.
std::uint32_t LargestIndex(const LeafBatch& batch) {
    std::uint32_t largest = 0;
    for (const std::uint32_t index : batch.indices) {
        if (index > largest) {
            largest = index;
        }
    }
    return largest;
}

// An array for the GL calls: null when there is nothing in it.
template <typename Entry> const void* DataOrNull(const std::vector<Entry>& entries) {
    return entries.empty() ? nullptr : entries.data();
}

// Enables the client array and points it at data when the batch may read it; otherwise disables it,
// so a batch never reads the array a previous object left enabled.
void UseTexCoordArray(const void* data) {
    if (data != nullptr) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, data);
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
}

void UseVertexArray(const void* data) {
    if (data != nullptr) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, data);
    } else {
        glDisableClientState(GL_VERTEX_ARRAY);
    }
}

void UseNormalArray(const void* data) {
    if (data != nullptr) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, data);
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
    }
}

// Records one object's batch of a leaf: texture state, colour, arrays, then the indexed draw.
void CompileBatch(const Model& model, const std::uint32_t* textures, int textureCount,
                  const MeshObject& object, const LeafBatch& batch) {
    if (object.textured) {
        // A material index without a texture entry binds the default texture instead of reading
        // past the table.
        const bool known = object.materialIndex >= 0 && object.materialIndex < textureCount;
        glEnable(GL_TEXTURE_2D);
        glColor3ub(255, 255, 255);
        glBindTexture(GL_TEXTURE_2D, known ? textures[object.materialIndex] : 0);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    } else {
        glDisable(GL_TEXTURE_2D);
        glColor3ub(255, 255, 255);
    }
    // The material colour replaces the white, so textures are tinted by it.
    if (object.materialIndex >= 0 && object.materialIndex < model.MaterialCount()) {
        const std::uint8_t* colour = model.materials[object.materialIndex].colour;
        glColor3ub(colour[0], colour[1], colour[2]);
    }

    // The leaf's indices are all inside the vertex array (and so the normal array, which has one
    // entry per vertex); a texture-coordinate array shorter than that is left out of the batch.
    const bool coordsCover =
        !object.texCoords.empty() && LargestIndex(batch) < static_cast<std::uint32_t>(object.TexCoordCount());
    UseTexCoordArray(coordsCover ? object.texCoords.data() : nullptr);
    UseVertexArray(DataOrNull(object.vertices));
    UseNormalArray(DataOrNull(object.normals));
    if (!object.vertices.empty() && !batch.indices.empty()) {
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(batch.indices.size()), GL_UNSIGNED_INT,
                       batch.indices.data());
    }
}

} // namespace

void Octree::CompileLists(const Model& model, const std::uint32_t* textures, int textureCount, Octree* node,
                          int offset) {
    if (node == nullptr) {
        return;
    }
    if (node->subdivided) {
        for (std::unique_ptr<Octree>& child : node->children) {
            CompileLists(model, textures, textureCount, child.get(), offset);
        }
        return;
    }
    // A stop request leaves the remaining lists empty; the game is about to end.
    if (!node->leaf || StopRequested()) {
        return;
    }
    node->listId += offset;
    glNewList(node->listId, GL_COMPILE);
    const int levelObjects = static_cast<int>(model.objects.size());
    const int records = static_cast<int>(node->leaf->batches.size());
    for (const std::int32_t i : node->objectIndices) {
        if (i < 0 || i >= levelObjects || i >= records) {
            continue;
        }
        CompileBatch(model, textures, textureCount, model.objects[i], node->leaf->batches[i]);
    }
    glEndList();
}

void Octree::CompileLists(const ModelObject& level, Octree* node, int offset) {
    CompileLists(level.model, level.textures, kModelTextureSlots, node, offset);
}

void Octree::Draw(const Frustum& frustum, const Octree* node, const Model& model, OctreeStats& counts) {
    if (node == nullptr) {
        return;
    }
    ++counts.drawNodesTested;
    if (!frustum.CubeVisible(node->centre.x, node->centre.y, node->centre.z, node->width / 2.0f)) {
        return;
    }
    if (node->subdivided) {
        for (const std::unique_ptr<Octree>& child : node->children) {
            Draw(frustum, child.get(), model, counts);
        }
        return;
    }
    if (node->leaf) {
        glCallList(static_cast<GLuint>(node->listId));
        ++counts.leavesDrawn;
    }
}
