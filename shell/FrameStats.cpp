#include "shell/FrameStats.hpp"

#include "octree/OctreeStats.hpp"
#include "shell/World.hpp"

#include <cstdio>

bool statsFailed = false;

namespace {

// Opened at the first frame and left to the C runtime to flush and close at exit.
std::FILE* statsFile = nullptr;

} // namespace

void RecordFrameStats(int frame) {
    if (options.stats.empty() || statsFailed) {
        return;
    }
    if (statsFile == nullptr) {
        statsFile = std::fopen(options.stats.c_str(), "w");
        if (statsFile == nullptr ||
            std::fputs("frame leavesDrawn drawNodesTested collideNodesTested facesTested\n", statsFile) < 0) {
            std::fprintf(stderr, "jostrela: cannot write the stats file %s\n", options.stats.c_str());
            statsFailed = true;
            return;
        }
    }
    if (std::fprintf(statsFile, "%d %d %d %d %d\n", frame, octreeStats.leavesDrawn,
                     octreeStats.drawNodesTested, octreeStats.collideNodesTested,
                     octreeStats.facesTested) < 0) {
        std::fprintf(stderr, "jostrela: cannot write the stats file %s\n", options.stats.c_str());
        statsFailed = true;
    }
}
