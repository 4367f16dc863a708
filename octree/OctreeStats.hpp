#pragma once

// What the octree did in one frame, so runs and benchmarks can see culling and pruning work. Plain
// counters: nothing is allocated per frame. The caller owns them and clears them when a frame starts.
struct OctreeStats {
    int drawNodesTested;    // nodes whose cube Draw asked the frustum about
    int leavesDrawn;        // display lists Draw called
    int collideNodesTested; // nodes whose cube Collide tested against the sphere
    int facesTested;        // faces Collide tested against the sphere
};
