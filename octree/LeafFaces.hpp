#pragma once

#include "octree/Octree.hpp"

// Calls test(triangle) for each face of leaf, object by object in objectIndices order and face by
// face, with the face's three corners copied out of model (the level the tree was built from) into
// a contiguous triangle; returns true at the first face test accepts. Faces naming vertices outside
// their object's array, and records or objects model lacks, are skipped. Allocates nothing.
template <typename FaceTest> bool AnyLeafFace(const Octree& leaf, const Model& model, FaceTest test) {
    if (!leaf.leaf) {
        return false;
    }
    const int levelObjects = static_cast<int>(model.objects.size());
    const int records = static_cast<int>(leaf.leaf->batches.size());
    for (const std::int32_t i : leaf.objectIndices) {
        if (i < 0 || i >= levelObjects || i >= records) {
            continue;
        }
        const MeshObject& level = model.objects[i];
        const LeafBatch& batch = leaf.leaf->batches[i];
        const int faces = batch.FaceCount();
        for (int f = 0; f < faces; ++f) {
            const std::uint32_t* corner = batch.indices.data() + 3 * f;
            // The build kept only faces inside their object's vertex array; a model other than the
            // one the tree was built from is still never read past its end.
            if (!VertexInRange(level, std::int32_t(corner[0])) ||
                !VertexInRange(level, std::int32_t(corner[1])) ||
                !VertexInRange(level, std::int32_t(corner[2]))) {
                continue;
            }
            const Vector3 triangle[3] = {level.vertices[corner[0]], level.vertices[corner[1]],
                                         level.vertices[corner[2]]};
            if (test(triangle)) {
                return true;
            }
        }
    }
    return false;
}
