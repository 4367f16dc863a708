#include "shell/FrameStats.hpp"

void RecordFrameStats(FrameStatsFile& stats, const std::string& path, int frame, const OctreeStats& counts) {
    if (path.empty() || stats.failed) {
        return;
    }
    // Left to the C runtime to flush and close at exit.
    if (stats.file == nullptr) {
        stats.file = std::fopen(path.c_str(), "w");
        if (stats.file == nullptr ||
            std::fputs("frame leavesDrawn drawNodesTested collideNodesTested facesTested\n", stats.file) <
                0) {
            std::fprintf(stderr, "jostrela: cannot write the stats file %s\n", path.c_str());
            stats.failed = true;
            return;
        }
    }
    if (std::fprintf(stats.file, "%d %d %d %d %d\n", frame, counts.leavesDrawn, counts.drawNodesTested,
                     counts.collideNodesTested, counts.facesTested) < 0) {
        std::fprintf(stderr, "jostrela: cannot write the stats file %s\n", path.c_str());
        stats.failed = true;
    }
}
