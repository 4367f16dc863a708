#include "octree/Octree.hpp"

#include "base/StopRequest.hpp"

#include <cmath>
#include <cstdint>
#include <new>
#include <utility>

namespace {

bool FaceInRange(const MeshObject& object, const Face& face) {
    return VertexInRange(object, face.vertexIndex[0]) && VertexInRange(object, face.vertexIndex[1]) &&
           VertexInRange(object, face.vertexIndex[2]);
}

// What one build may take, counted before each allocation: the split flags, the children's face
// lists and the leaf records, plus what the display lists will hold for every face a leaf keeps. A face
// met at the centre of a node goes into every octant, so a few coincident faces can be copied into
// all 4,096 leaves; a build that would pass the budget stops and reports running out of memory.
// Real levels take a small part of it (the church a few megabytes).
constexpr std::uint64_t kBuildBudget = std::uint64_t{128} << 20;
constexpr std::uint64_t kListBytesPerFace = 96; // three vertices with normal and coordinates

// Takes bytes from the budget before they are allocated; false, and nothing more is built, when
// the budget does not hold them.
bool ChargeBuild(OctreeBuildState& state, std::uint64_t bytes) {
    if (state.overBudget || bytes > kBuildBudget - state.bytesTaken) {
        state.overBudget = true;
        return false;
    }
    state.bytesTaken += bytes;
    return true;
}

} // namespace

bool VertexInRange(const MeshObject& object, std::int32_t k) {
    return k >= 0 && k < object.VertexCount();
}

int RoutedFaces::FaceCount(int object) const {
    return positions.empty() ? level->objects[object].FaceCount()
                             : static_cast<int>(positions[object].size());
}

const Face& RoutedFaces::FaceAt(int object, int j) const {
    return level->objects[object].faces[positions.empty() ? j : positions[object][j]];
}

bool InOctant(Vector3 p, Vector3 c, int octant) {
    switch (octant) {
    case 0:
        return p.x <= c.x && p.y >= c.y && p.z >= c.z;
    case 1:
        return p.x <= c.x && p.y >= c.y && p.z <= c.z;
    case 2:
        return p.x >= c.x && p.y >= c.y && p.z <= c.z;
    case 3:
        return p.x >= c.x && p.y >= c.y && p.z >= c.z;
    case 4:
        return p.x <= c.x && p.y <= c.y && p.z >= c.z;
    case 5:
        return p.x <= c.x && p.y <= c.y && p.z <= c.z;
    case 6:
        return p.x >= c.x && p.y <= c.y && p.z <= c.z;
    case 7:
        return p.x >= c.x && p.y <= c.y && p.z >= c.z;
    default:
        return false;
    }
}

void Octree::MeasureScene(const Model* model) {
    if (model == nullptr) {
        return;
    }
    centre = Vector3(0.0f, 0.0f, 0.0f);
    std::int64_t vertexTotal = 0;
    for (const MeshObject& object : model->objects) {
        for (const Vector3& v : object.vertices) {
            centre = centre + v;
        }
        vertexTotal += object.VertexCount();
    }
    // Without vertices there is nothing to average: the scene is a point at the origin, width 0.
    if (vertexTotal > 0) {
        const float divisor = static_cast<float>(vertexTotal);
        centre = Vector3(centre.x / divisor, centre.y / divisor, centre.z / divisor);
    }

    // Each distance is truncated toward zero before it competes, so the half-extents are whole
    // numbers and a vertex can lie up to one unit outside the root cube. truncf keeps that rule
    // without converting out-of-range distances to int.
    Vector3 extent(0.0f, 0.0f, 0.0f);
    for (const MeshObject& object : model->objects) {
        for (const Vector3& v : object.vertices) {
            const float dx = std::fabs(std::trunc(v.x - centre.x));
            const float dy = std::fabs(std::trunc(v.y - centre.y));
            const float dz = std::fabs(std::trunc(v.z - centre.z));
            if (dx > extent.x) {
                extent.x = dx;
            }
            if (dy > extent.y) {
                extent.y = dy;
            }
            if (dz > extent.z) {
                extent.z = dz;
            }
        }
    }
    extent = extent * 2.0f;
    width = extent.x;
    if (extent.y > width) {
        width = extent.y;
    }
    if (extent.z > width) {
        width = extent.z;
    }
}

int Octree::CountSceneTriangles(const Model& model) const {
    int total = 0;
    for (const MeshObject& object : model.objects) {
        total += object.FaceCount();
    }
    return total;
}

OctreeBuildResult Octree::Build(const Model& model) {
    MeasureScene(&model);
    return BuildNode(model, CountSceneTriangles(model), centre, width);
}

OctreeBuildResult Octree::BuildNode(const Model& model, int triangles, Vector3 centre_, float width_) {
    OctreeBuildState state;
    OctreeBuildResult result;
    // The build allocates per node, per child's face lists and per leaf record; running out of
    // memory anywhere abandons the whole tree and says so.
    try {
        BuildSubtree(model, triangles, centre_, width_, state);
    } catch (const std::bad_alloc&) {
        result.outOfMemory = true;
    }
    // Over the budget the tree is as incomplete as after a failed allocation.
    result.outOfMemory = result.outOfMemory || state.overBudget;
    result.leafCount = state.leafCount;
    return result;
}

void Octree::BuildSubtree(const Model& model, int triangles, Vector3 centre_, float width_,
                          OctreeBuildState& state) {
    BuildSubtree(RoutedFaces{&model, {}}, triangles, centre_, width_, state);
}

void Octree::BuildSubtree(const RoutedFaces& routed, int triangles, Vector3 centre_, float width_,
                          OctreeBuildState& state) {
    // A stop request leaves the rest of the tree unbuilt; the game is about to end.
    if (StopRequested() || state.overBudget) {
        return;
    }
    centre = centre_;
    width = width_;
    if (triangles <= maxNodeTriangles || state.depth >= maxDepth) {
        MakeLeaf(routed, triangles, state);
        return;
    }

    const int objects = routed.level->ObjectCount();
    std::uint64_t faceTotal = 0;
    for (int i = 0; i < objects; ++i) {
        faceTotal += static_cast<std::uint64_t>(routed.FaceCount(i));
    }
    if (!ChargeBuild(state, 8 * (objects * sizeof(FaceSelection) + faceTotal))) {
        return;
    }
    subdivided = true;
    std::vector<FaceSelection> selections[8];
    for (std::vector<FaceSelection>& list : selections) {
        list.resize(objects);
    }
    for (int i = 0; i < objects; ++i) {
        const MeshObject& object = routed.level->objects[i];
        const int faces = routed.FaceCount(i);
        for (std::vector<FaceSelection>& list : selections) {
            list[i].faceFlags.assign(faces, 0);
        }
        for (int j = 0; j < faces; ++j) {
            for (const std::int32_t k : routed.FaceAt(i, j).vertexIndex) {
                // A corner naming a vertex the object lacks routes nowhere.
                if (!VertexInRange(object, k)) {
                    continue;
                }
                const Vector3 v = object.vertices[k];
                for (int octant = 0; octant < 8; ++octant) {
                    if (InOctant(v, centre, octant)) {
                        selections[octant][i].faceFlags[j] = 1;
                    }
                }
            }
        }
        for (std::vector<FaceSelection>& list : selections) {
            list[i].count = 0;
        }
    }

    int totals[8] = {};
    for (int i = 0; i < objects; ++i) {
        const int faces = routed.FaceCount(i);
        for (int j = 0; j < faces; ++j) {
            for (int octant = 0; octant < 8; ++octant) {
                if (selections[octant][i].faceFlags[j]) {
                    ++selections[octant][i].count;
                    ++totals[octant];
                }
            }
        }
    }

    // Depth first: each child's whole subtree is built before the next octant is started, which is
    // what numbers the leaves.
    for (int octant = 0; octant < 8; ++octant) {
        BuildChild(routed, std::move(selections[octant]), totals[octant], centre, width, octant, state);
    }
}

void Octree::BuildChild(const RoutedFaces& routed, std::vector<FaceSelection> selections, int triangles,
                        Vector3 parentCentre, float parentWidth, int octant, OctreeBuildState& state) {
    if (triangles <= 0 || octant < 0 || octant > 7) {
        return;
    }

    // The child's faces: the positions, in the level's objects, of the selected faces in their
    // original order. Nothing of the level is copied.
    const int objects = routed.level->ObjectCount();
    if (!ChargeBuild(state, objects * sizeof(std::vector<std::int32_t>) +
                                static_cast<std::uint64_t>(triangles) * sizeof(std::int32_t))) {
        return;
    }
    RoutedFaces childFaces{routed.level, std::vector<std::vector<std::int32_t>>(objects)};
    for (int i = 0; i < objects; ++i) {
        const FaceSelection& selection = selections[i];
        std::vector<std::int32_t>& positions = childFaces.positions[i];
        positions.reserve(selection.count);
        for (std::size_t j = 0; j < selection.faceFlags.size(); ++j) {
            if (selection.faceFlags[j]) {
                const int at = static_cast<int>(j);
                positions.push_back(routed.positions.empty() ? at : routed.positions[i][at]);
            }
        }
    }

    children[octant] = std::make_unique<Octree>();
    Octree& child = *children[octant];
    const Vector3 childCentre = ChildCentre(parentCentre, parentWidth, octant);
    child.centre = childCentre;
    ++state.depth;
    child.BuildSubtree(childFaces, triangles, childCentre, parentWidth * 0.5f, state);
    --state.depth;
}

void Octree::MakeLeaf(const RoutedFaces& routed, int triangles, OctreeBuildState& state) {
    subdivided = false;
    triangleCount = triangles;
    const int objects = routed.level->ObjectCount();
    const std::uint64_t routedFaces = static_cast<std::uint64_t>(triangles > 0 ? triangles : 0);
    if (!ChargeBuild(state, objects * sizeof(LeafBatch) +
                                routedFaces * (3 * sizeof(std::uint32_t) + kListBytesPerFace))) {
        return;
    }
    leaf = std::make_unique<OctreeLeaf>();
    leaf->batches.resize(static_cast<std::size_t>(objects));
    for (int i = 0; i < objects; ++i) {
        const MeshObject& object = routed.level->objects[i];
        const int faces = routed.FaceCount(i);
        // A face with a corner outside its object's vertex array is left out: the index arrays go
        // straight to the draw call and to the collision test.
        int kept = 0;
        for (int j = 0; j < faces; ++j) {
            if (FaceInRange(object, routed.FaceAt(i, j))) {
                ++kept;
            }
        }
        if (kept > 0) {
            RecordObject(i);
        }
        std::vector<std::uint32_t>& indices = leaf->batches[static_cast<std::size_t>(i)].indices;
        indices.reserve(3 * static_cast<std::size_t>(kept));
        for (int j = 0; j < faces; ++j) {
            const Face& face = routed.FaceAt(i, j);
            if (FaceInRange(object, face)) {
                indices.push_back(static_cast<std::uint32_t>(face.vertexIndex[0]));
                indices.push_back(static_cast<std::uint32_t>(face.vertexIndex[1]));
                indices.push_back(static_cast<std::uint32_t>(face.vertexIndex[2]));
            }
        }
    }
    listId = state.leafCount;
    ++state.leafCount;
}

void Octree::RecordObject(int objectIndex) {
    for (const std::int32_t present : objectIndices) {
        if (present == objectIndex) {
            return;
        }
    }
    objectIndices.push_back(objectIndex);
}

Vector3 Octree::ChildCentre(Vector3 c, float w, int octant) const {
    const float q = w / 4.0f;
    switch (octant) {
    case 0:
        return Vector3(c.x - q, c.y + q, c.z + q);
    case 1:
        return Vector3(c.x - q, c.y + q, c.z - q);
    case 2:
        return Vector3(c.x + q, c.y + q, c.z - q);
    case 3:
        return Vector3(c.x + q, c.y + q, c.z + q);
    case 4:
        return Vector3(c.x - q, c.y - q, c.z + q);
    case 5:
        return Vector3(c.x - q, c.y - q, c.z - q);
    case 6:
        return Vector3(c.x + q, c.y - q, c.z - q);
    case 7:
        return Vector3(c.x + q, c.y - q, c.z + q);
    default:
        return Vector3(0.0f, 0.0f, 0.0f);
    }
}
