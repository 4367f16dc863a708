#pragma once

// --stats: one line per frame with what the octree did, so runs can see culling and pruning work.

// Appends this frame's octreeStats as a line to the --stats file, opening it (and writing the
// header line) at the first frame. Does nothing without --stats; a file that cannot be opened is
// reported once on standard error and marks the run as failed (statsFailed).
void RecordFrameStats(int frame);

// Set when the --stats file could not be opened or written; read by the entry for its exit code.
extern bool statsFailed;
