#pragma once

#include "input/KeyScript.hpp"

#include <cstdint>

// The timedemo's camera path, a key script like those of --keys: through the nave, the archway,
// to the switch (pressed with F) and into the room beyond while the second door rises.
extern const char* const kTimedemoPath;

// Parses kTimedemoPath into path. False only if the built-in text is broken. Pure.
bool ParseTimedemoPath(KeyScript& path);

// Frames of one pass of script: one past the last frame any span holds a key (at least 1). Pure.
std::uint32_t ScriptFrames(const KeyScript& script);
