#pragma once

#include <cstdint>

// What the octree did, so runs and benchmarks can see culling and pruning work: the counts of one
// frame (the caller owns them and clears them when a frame starts), or their sum over many frames
// (a timedemo). Plain counters: nothing is allocated per frame.
struct OctreeStats {
    std::int64_t drawNodesTested;    // nodes whose cube Draw asked the frustum about
    std::int64_t leavesDrawn;        // display lists Draw called
    std::int64_t collideNodesTested; // nodes whose cube Collide tested against the sphere
    std::int64_t facesTested;        // faces Collide tested against the sphere

    OctreeStats& operator+=(const OctreeStats& frame) {
        drawNodesTested += frame.drawNodesTested;
        leavesDrawn += frame.leavesDrawn;
        collideNodesTested += frame.collideNodesTested;
        facesTested += frame.facesTested;
        return *this;
    }
};
