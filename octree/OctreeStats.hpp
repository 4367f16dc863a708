#pragma once

// What the octree did in the current frame, so runs and benchmarks can see culling and pruning work.
// Plain counters: nothing is allocated per frame.
struct OctreeStats {
    int drawNodesTested;    // nodes whose cube Draw asked the frustum about
    int leavesDrawn;        // display lists Draw called
    int collideNodesTested; // nodes whose cube Collide tested against the sphere
    int facesTested;        // faces Collide tested against the sphere
};

// Raised by Draw and Collide; cleared by the render pass at the start of every frame.
extern OctreeStats octreeStats;
