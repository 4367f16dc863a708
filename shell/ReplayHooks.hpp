#pragma once

#include <cstdio>
#include <string>

struct World;

// The entry's hooks for --keys, --dump-state and --trace.

// The --trace file of a run.
struct TraceFile {
    std::FILE* file = nullptr; // opened by StartTrace, closed by EndTrace
    std::string line;          // reused every frame, so tracing allocates nothing per frame
    std::string path;
    bool failed = false; // a write failed (reported once)
};

// Loads the key script at path into world's keyScript and makes its input's Poll replay it, frame
// by frame, instead of reading the keyboard. False after a report naming the file, the line and
// the fault.
bool StartKeyReplay(World& world, const char* path);

// Writes world's game state as JSON to path; false after a report when it cannot be written.
bool DumpGameState(const World& world, const char* path);

// Opens path for --trace (emptied). False after a report naming the file when it cannot be opened.
bool StartTrace(TraceFile& trace, const char* path);

// Appends world's state as --dump-state would write it now to its trace, one JSON object a line, and
// flushes it. Called by the main loop after each frame; does nothing without StartTrace. A write
// that fails is reported once and ends the tracing.
void TraceFrame(World& world);

// Closes the trace; false when some part of it could not be written (reported already). True
// without a trace.
bool EndTrace(TraceFile& trace);
