#pragma once

#include "diag/StateDump.hpp"
#include "platform/OutputFile.hpp"

#include <string>

// The hooks for --dump-state and --trace.

// The --trace file of a run.
struct TraceFile {
    platform::OutputFile output; // opened by StartTrace, closed by EndTrace
    std::string line;            // reused every frame, so tracing allocates nothing per frame
};

// Writes state as JSON to path; false after a report when it cannot be written.
bool DumpGameState(const GameState& state, const char* path);

// Opens path for --trace (emptied) as platform::OpenOutput does: called once the run can start, so a
// run that never starts leaves the file as it was. False after a report naming the file when it
// cannot be opened.
bool StartTrace(TraceFile& trace, const char* path);

// Appends state as --dump-state would write it now to the trace, one JSON object a line, and
// flushes it. Called after each frame; does nothing without StartTrace. A write that fails is
// reported once and ends the tracing.
void TraceFrame(TraceFile& trace, const GameState& state);

// Closes the trace; false when some part of it could not be written (reported already; a regular
// file is then removed). True without a trace.
bool EndTrace(TraceFile& trace);
