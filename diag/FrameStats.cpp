#include "diag/FrameStats.hpp"

#include "base/OptionFailure.hpp"

#include <cstdio>

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
    platform::OutputFile& output = stats.output;
    if (output.file == nullptr) {
        static const char kHeader[] = "frame leavesDrawn drawNodesTested collideNodesTested facesTested\n";
        if (!platform::OpenOutput(output, path.c_str()) ||
            !platform::WriteOutput(output, kHeader, sizeof kHeader - 1, false)) {
            ReportStatsFault(stats, path);
            return;
        }
    }
    char line[128];
    const int length = std::snprintf(
        line, sizeof line, "%d %lld %lld %lld %lld\n", frame, static_cast<long long>(counts.leavesDrawn),
        static_cast<long long>(counts.drawNodesTested), static_cast<long long>(counts.collideNodesTested),
        static_cast<long long>(counts.facesTested));
    if (!platform::WriteOutput(output, line, static_cast<std::size_t>(length), false)) {
        ReportStatsFault(stats, path);
    }
}

bool CloseFrameStats(FrameStatsFile& stats, const std::string& path) {
    // The last lines may still sit in the buffer: a full disk shows only here.
    const bool written = platform::CloseOutput(stats.output);
    if (!written && !stats.failed) {
        ReportStatsFault(stats, path);
    }
    return !stats.failed;
}
