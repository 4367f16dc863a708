#pragma once

// The entry's hooks for --keys and --dump-state, on the process-wide objects.

// Loads the key script at path and makes input's Poll replay it, frame by frame, instead of reading
// the keyboard. False after a message naming the file, the line and the fault.
bool StartKeyReplay(const char* path);

// Writes the game state as JSON to path; false after a message when it cannot be written.
bool DumpGameState(const char* path);
