#pragma once

#include "tools/content/Mesh.hpp"

// The level's faces cut to the cubes of the game's octree, so that each face is drawn by one leaf:
// a face that reaches into several leaves is drawn by each of them, over the same pixels.
//
// The game centres its root cube on the mean of all vertices (float sums in file order) and makes it
// twice the largest truncated distance from there wide; it splits cubes at their middle planes, at
// most four levels deep, and hands a face to every cube one of its corners lies in, a corner on a
// plane counting for both sides. So the generator fixes the root cube itself, with an anchor object
// whose vertices bring the mean to the chosen centre and reach the chosen width; cuts every flat face
// along the planes of the deepest level; and moves each corner that lies on one of those planes by
// the smallest float step into the cube of its face. Faces with smooth shading (vertices shared by
// faces of other directions: the columns, the candles) stay whole.
struct RootCube {
    Vector3 centre;
    float width;
};

// The cube the game will compute for scene, operation by operation as the game does.
RootCube MeasureRootCube(const Scene& scene);

// Cuts scene's faces and anchors its root cube as above; returns the cube. Ends the program with a
// message if the anchor cannot bring the game's measure to the cube (a fault of the generator).
RootCube FitToOctree(Scene& scene);

// The depth-four grid planes along one axis of cube: 15 of them, ascending.
std::vector<float> GridPlanes(const RootCube& cube, int axis);
