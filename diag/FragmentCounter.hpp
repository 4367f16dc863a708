#pragma once

#include <cstdint>

// Counts the fragments the level's drawing makes in a frame with two GL queries around it: those
// the fragment stage shades (every rasterised fragment, hidden or not) and those that pass the depth
// test. Only the timedemo uses it, and only when asked: the picture is the same either way, but
// reading the counts waits for the frame's drawing to finish.
struct LevelFragments {
    std::int64_t shaded = -1; // negative: the driver cannot count shaded fragments
    std::int64_t passed = -1; // negative: nothing was counted
};

// Fetches the query entry points and makes the queries. False, with nothing made, when the driver
// has no occlusion query; a driver without pipeline statistics counts passed fragments only. Call
// once, with the GL context current.
bool StartFragmentCounting();

// Around the level's drawing. Do nothing unless StartFragmentCounting succeeded. Allocate nothing.
void BeginLevelFragments();
void EndLevelFragments();

// The counts of the last Begin and End; waits for the GPU's answer. Allocates nothing.
LevelFragments ReadLevelFragments();
