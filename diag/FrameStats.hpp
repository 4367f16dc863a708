#pragma once

#include "octree/OctreeStats.hpp"
#include "platform/OutputFile.hpp"

#include <string>

// --stats: one line per frame with what the octree did, so runs can see culling and pruning work.

// The --stats file of a run.
struct FrameStatsFile {
    platform::OutputFile output; // opened at the first frame, closed by CloseFrameStats
    bool failed = false; // the file could not be opened or written; read by the entry for its exit code
};

// Appends frame's counts as a line to the file at path, opening it (and writing the header line) at
// the first frame. Does nothing for an empty path; a file that cannot be opened or written is
// reported once (ReportOptionFailure) and marks stats as failed.
void RecordFrameStats(FrameStatsFile& stats, const std::string& path, int frame, const OctreeStats& counts);

// Closes the file at the end of the run, reporting a close that fails (the buffered last lines
// could not be written) and removing a regular file that was not written whole. True when every
// line was written, and without a file that was never asked for.
bool CloseFrameStats(FrameStatsFile& stats, const std::string& path);
