#pragma once

#include "tools/content/Mesh.hpp"

#include <vector>

// Building blocks for the level and the penguin. Flat surfaces are cut into cells no larger than
// the given size. The game's octree hands a face only to the cubes its corners lie in; the church
// needs no cells for that, as the octree fit cuts its faces along the octree's planes, and asks for
// whole faces (fewer triangles to draw).

// The rectangle origin + U*[0, uLen] + V*[0, vLen] (U and V unit and perpendicular), in cells of at
// most cellU x cellV, facing facing.
void AddGridRect(MeshPart& part, Vector3 origin, Vector3 U, Vector3 V, float uLen, float vLen, float cellU,
                 float cellV, Vector3 facing, const UvMap& map);

// Which faces of a box to emit.
enum BoxFace { kBoxLeft = 1, kBoxRight = 2, kBoxBottom = 4, kBoxTop = 8, kBoxBack = 16, kBoxFront = 32 };
inline constexpr int kBoxAll = 63;

// An axis-aligned box, outward faces, each mapped so its texture reads upright and unmirrored from
// outside, with tiles of tile x tileHeight world units (tile x tile when tileHeight is 0); cells of
// at most cell units.
void AddBox(MeshPart& part, Vector3 lo, Vector3 hi, float tile, float cell, int faces = kBoxAll,
            float tileHeight = 0.0f);

// A grid of shared vertices, rows x cols cells, positions row-major ((rows+1) x (cols+1)); quads wind
// so that most of them face away from inside. Shared vertices give smooth normals.
void AddSmoothGrid(MeshPart& part, const std::vector<Vector3>& points, const std::vector<TexCoord>& uvs,
                   int rows, int cols, Vector3 inside);

// An upright cylinder (no caps) around (cx, cz) from y0 to y1, smooth, its texture wrapped tile
// units per repeat.
void AddCylinder(MeshPart& part, float cx, float cz, float y0, float y1, float radius, int segments, int rows,
                 float tile);

// A flat disc facing +y (up true) or -y at height y.
void AddDisc(MeshPart& part, float cx, float y, float cz, float radius, int segments, bool up, float tile);

// A wall's own frame: a point (a, y) of its front face is origin + along*a + (0, y, 0); its back
// face lies thickness behind, against front.
struct WallFrame {
    Vector3 origin;
    Vector3 along;
    Vector3 front;
    float thickness;
};

struct Opening {
    float a0, a1, y0, y1;
};

struct WallCells {
    float cellA;    // longest cell along the wall
    float cellLow;  // tallest cell below bandTop, where the player's sphere can touch
    float cellHigh; // tallest cell above it
    float bandTop;
};

// The part of a wall from (a0, y0) to (a1, y1) minus the rectangular openings: the front and back
// faces named in faces, and the openings' reveals always. The reveals are mapped each across its own
// face with revealMap's tile sizes.
enum WallFaces { kWallFront = 1, kWallBack = 2 };
void AddWall(MeshPart& part, const WallFrame& frame, float a0, float a1, float y0, float y1,
             const std::vector<Opening>& openings, const WallCells& cells, const UvMap& frontMap,
             const UvMap& backMap, const UvMap& revealMap, int faces);

// The spandrel over a round arch: the panel [a0, a1] x [ySpring, yTop] minus the half disc over
// [a0, a1] springing at ySpring, both faces, plus the arch's underside (soffitMap gives only its
// tile sizes: the underside's texture follows the curve).
void AddArchPanel(MeshPart& part, MeshPart& soffit, const WallFrame& frame, float a0, float a1, float ySpring,
                  float yTop, int segments, const UvMap& frontMap, const UvMap& backMap,
                  const UvMap& soffitMap);

// Maps for the common orientations: walls facing along +-x or +-z and horizontal surfaces.
UvMap WallMap(Vector3 facing, float sTile, float tTile, float sOffset = 0.0f, float tOffset = 0.0f);
UvMap FloorMap(float sTile, float tTile);
// The map for a face that faces facing: a floor map for one facing mostly up or down, otherwise a
// wall map; tile sizes from tiles.
UvMap FacingMap(Vector3 facing, const UvMap& tiles);
