#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"

#include <GL/gl.h>

void Octree::DrawAll(const Octree* node, OctreeStats& counts) {
    if (node == nullptr) {
        return;
    }
    if (node->subdivided) {
        for (const std::unique_ptr<Octree>& child : node->children) {
            DrawAll(child.get(), counts);
        }
        return;
    }
    if (node->leaf) {
        glCallList(static_cast<GLuint>(node->listId));
        ++counts.leavesDrawn;
    }
}
