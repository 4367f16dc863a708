#pragma once

// The entry's hooks for --keys, --dump-state and --trace, on the process-wide objects.

// Loads the key script at path and makes input's Poll replay it, frame by frame, instead of reading
// the keyboard. False after a message naming the file, the line and the fault.
bool StartKeyReplay(const char* path);

// Writes the game state as JSON to path; false after a message when it cannot be written.
bool DumpGameState(const char* path);

// Opens path for --trace (emptied). False after a message naming the file when it cannot be opened.
bool StartTrace(const char* path);

// Appends the state as --dump-state would write it now, one JSON object a line, and flushes it.
// Called by the main loop after each frame; does nothing without StartTrace. A write that fails is
// reported once and ends the tracing.
void TraceFrame();

// Closes the trace; false when some part of it could not be written (reported already). True
// without a trace.
bool EndTrace();
