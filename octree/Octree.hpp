#pragma once

#include "geometry/Vector3.hpp"
#include "model/Model.hpp"

#include <cstdint>
#include <memory>
#include <vector>

struct Frustum;
struct ModelObject;
struct OctreeStats;

// Where a build is: the depth of the node being built (0 at the root) and the leaves made so far,
// which is also the ordinal the next leaf takes. One per build, handed down the recursion.
struct OctreeBuildState {
    int depth = 0;
    int leafCount = 0;
    std::uint64_t bytesTaken = 0; // counted against the build's budget before each allocation
    bool overBudget = false;      // the budget would have been passed: nothing more was built
};

// What a build made: its leaves, numbered 0 up depth first, or that memory ran out half way (the
// tree is then incomplete and must not be used).
struct OctreeBuildResult {
    int leafCount = 0;
    bool outOfMemory = false;
};

// The faces of one level object routed to a leaf: three vertex indices per face, into the vertex
// array of the level's object of the same position, in the order the draw call takes them.
struct LeafBatch {
    std::vector<std::uint32_t> indices;

    int FaceCount() const { return static_cast<int>(indices.size() / 3); }
};

// A leaf's own geometry: one batch per object of the model it was built from, in the same order
// (empty for an object with no face here). Positions, normals, texture coordinates and materials
// stay in the level's model.
struct OctreeLeaf {
    std::vector<LeafBatch> batches;
};

// Which faces of one mesh object reach one octant while a node is being split (build time only).
struct FaceSelection {
    std::vector<std::uint8_t> faceFlags; // one per face of the object: 1 when the face reaches the octant
    std::int32_t count = 0;              // number of set flags
};

// The faces a node is built from (build time only): per object of the level, the positions in its
// face array of the faces routed to the node, ascending. The root takes every face of the level and
// has no lists. The level's arrays are read where they are, never copied.
struct RoutedFaces {
    const Model* level = nullptr;
    std::vector<std::vector<std::int32_t>> positions; // one list per level object; empty at the root

    int FaceCount(int object) const;
    const Face& FaceAt(int object, int j) const; // face j of those routed from the object
};

// One node of the level's partition into axis-aligned cubes. The root is the world's octree; every
// other node is owned by its parent. A leaf owns only index arrays: its batches index the vertex
// arrays of the full level model's objects of the same position, which the level model owns.
struct Octree {
    bool subdivided = false;                 // split into children; false in a leaf
    float width = 0.0f;                      // edge length of the cube
    std::int32_t triangleCount = 0;          // faces routed to the node when it became a leaf
    Vector3 centre{0.0f, 0.0f, 0.0f};        // the cube spans centre +- width / 2 on each axis
    std::unique_ptr<OctreeLeaf> leaf;        // a leaf's index batches, one per level object
    std::vector<std::int32_t> objectIndices; // objects with at least one face here, ascending
    std::int32_t listId = 0;                 // a leaf's ordinal, then its display-list name
    std::unique_ptr<Octree> children[8];     // by octant; null where no face reached the octant

    Octree() = default;
    Octree(const Octree&) = delete;
    Octree& operator=(const Octree&) = delete;

    // Sets centre to the mean of all the model's vertices and width to twice the largest per-axis
    // distance from it, each distance truncated to a whole number first. Does nothing for a null
    // model; a model without vertices gives centre (0, 0, 0) and width 0.
    void MeasureScene(const Model* model);
    // Sum of the face counts of all objects; reads no node field.
    int CountSceneTriangles(const Model& model) const;
    // The whole build of a new root over model: MeasureScene, CountSceneTriangles, then BuildNode
    // with the measured cube.
    OctreeBuildResult Build(const Model& model);
    // Builds this node, as the root of a new tree, and its subtree from triangles faces of model
    // within the cube given. Reports running out of memory in its result; shows nothing.
    OctreeBuildResult BuildNode(const Model& model, int triangles, Vector3 centre, float width);
    // Builds this node and its subtree at the depth state holds, from every face of model (at the
    // root) or from the faces routed to the node; every leaf made raises state's leafCount.
    void BuildSubtree(const Model& model, int triangles, Vector3 centre, float width,
                      OctreeBuildState& state);
    void BuildSubtree(const RoutedFaces& routed, int triangles, Vector3 centre, float width,
                      OctreeBuildState& state);
    // Creates child octant from the faces selections mark among those routed here and builds it one
    // level deeper; no child when triangles is 0.
    void BuildChild(const RoutedFaces& routed, std::vector<FaceSelection> selections, int triangles,
                    Vector3 parentCentre, float parentWidth, int octant, OctreeBuildState& state);
    // Turns this node into a leaf holding the vertex indices of the faces routed to it; takes the
    // next ordinal from state.
    void MakeLeaf(const RoutedFaces& routed, int triangles, OctreeBuildState& state);
    // Appends objectIndex to objectIndices unless it is there already.
    void RecordObject(int objectIndex);
    // The centre of octant's child cube; (0, 0, 0) for an octant outside 0..7.
    Vector3 ChildCentre(Vector3 parentCentre, float parentWidth, int octant) const;

    // Compiles one display list per leaf under node (null allowed), depth first in octant order:
    // each leaf's listId (its ordinal) is raised by offset and names its list. Every batch records
    // its texture, wrap and colour state and draws the leaf's faces of one object from that object's
    // own arrays; textures holds textureCount GL names by material index. Writes leaves' listId.
    static void CompileLists(const Model& model, const std::uint32_t* textures, int textureCount,
                             Octree* node, int offset);
    // CompileLists with the level's model and its texture names by material.
    static void CompileLists(const ModelObject& level, Octree* node, int offset);
    // Calls the display list of every leaf under node whose cube, and every ancestor's, frustum may
    // see. Raises counts' drawNodesTested and leavesDrawn; model is handed down unread.
    static void Draw(const Frustum& frustum, const Octree* node, const Model& model, OctreeStats& counts);
    // Calls the display list of every leaf under node (null allowed) without asking any frustum: the
    // timedemo's baseline, which shows what culling saves. Raises counts' leavesDrawn only.
    static void DrawAll(const Octree* node, OctreeStats& counts);

    // True when object's sphere touches a face of a leaf it reaches: every node on the way down must
    // overlap the sphere, children are searched in octant order and the first touched face ends the
    // search. Reads the faces' corners from model, the level the tree was built from. Issues no GL
    // calls and allocates nothing. Raises counts' collideNodesTested and facesTested.
    bool Collide(const ModelObject& object, const Model& model, OctreeStats& counts) const;
    // The same for the sphere (sphereCentre, radius).
    bool Collide(Vector3 sphereCentre, float radius, const Model& model, OctreeStats& counts) const;

    // True when the straight path of a point from `from` to `to` crosses a face (PathCrossesTriangle)
    // of a leaf whose cube comes within reach of the path's box. With the collision radius as reach
    // this searches every leaf the sphere's own query could reach anywhere along the path, so a face
    // the sphere would find is found here too. Counts nothing, draws nothing, allocates nothing.
    bool PathCrossesFace(Vector3 from, Vector3 to, float reach, const Model& model) const;

    // The fraction in [0, 1] of the way from `from` to `to` at which the segment first meets a face
    // (either side) of a leaf whose cube its box overlaps; kNoHit (geometry/SegmentHits.hpp) when
    // it meets none. Every such leaf is searched, so the nearest face is found whatever the octant
    // order. Counts nothing, draws nothing, allocates nothing.
    double FirstFaceOnSegment(Vector3 from, Vector3 to, const Model& model) const;
    // True when the sphere of radius centred at `after` is nearer to a face of a leaf it reaches than
    // SinksDeeper allows for the same sphere centred at `before`: the move between them sank it into
    // that face. Counts nothing, draws nothing, allocates nothing.
    bool SinksIntoFace(Vector3 before, Vector3 after, float radius, const Model& model) const;
    // True when a face of a leaf the sphere (centre, radius) reaches lies within radius of the centre
    // and move heads into it (MoveHeadsIntoTriangle): the move points into what the sphere touches.
    // Counts nothing, draws nothing, allocates nothing.
    bool MoveHeadsIntoFace(Vector3 centre, float radius, Vector3 move, const Model& model) const;

    Vector3 GetCentre() const { return centre; }
    float GetWidth() const { return width; }
    int GetListId() const { return listId; }
    bool IsSubdivided() const { return subdivided; }
    void SetListId(int id) { listId = id; }
};

// True when p passes octant's three closed tests against centre: a point on a splitting plane lies in
// the octants on both sides of it.
bool InOctant(Vector3 p, Vector3 centre, int octant);

// True when vertex index k of face may be looked up in object's vertex array. Faces of a damaged
// file can name vertices the object does not have; those corners are never read.
bool VertexInRange(const MeshObject& object, std::int32_t k);

// Build settings shared by every node of a build (named as the game's design names them).
inline constexpr int maxNodeTriangles = 10; // a node with more faces than this is split
inline constexpr int maxDepth = 4;          // nodes at this depth are leaves
