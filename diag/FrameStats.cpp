#include "diag/FrameStats.hpp"

#include "base/OptionFailure.hpp"

namespace {

void ReportStatsFault(FrameStatsFile& stats, const std::string& path) {
    ReportOptionFailure("cannot write the stats file " + path);
    stats.failed = true;
}

} // namespace

void RecordFrameStats(FrameStatsFile& stats, const std::string& path, int frame, const OctreeStats& counts) {
    if (path.empty() || stats.failed) {
        return;
    }
    if (stats.file == nullptr) {
        stats.file = std::fopen(path.c_str(), "w");
        if (stats.file == nullptr ||
            std::fputs("frame leavesDrawn drawNodesTested collideNodesTested facesTested\n", stats.file) <
                0) {
            ReportStatsFault(stats, path);
            return;
        }
    }
    if (std::fprintf(
            stats.file, "%d %lld %lld %lld %lld\n", frame, static_cast<long long>(counts.leavesDrawn),
            static_cast<long long>(counts.drawNodesTested), static_cast<long long>(counts.collideNodesTested),
            static_cast<long long>(counts.facesTested)) < 0) {
        ReportStatsFault(stats, path);
    }
}

bool CloseFrameStats(FrameStatsFile& stats, const std::string& path) {
    if (stats.file == nullptr) {
        return !stats.failed;
    }
    // The last lines may still sit in the buffer: a full disk shows only here.
    const bool closed = std::fclose(stats.file) == 0;
    stats.file = nullptr;
    if (!closed && !stats.failed) {
        ReportStatsFault(stats, path);
    }
    return !stats.failed;
}
