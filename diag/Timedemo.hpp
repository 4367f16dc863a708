#pragma once

#include "input/KeyScript.hpp"
#include "octree/OctreeStats.hpp"

#include <cstdint>
#include <vector>

class InputDevices;

// What the frames drawn in one mode (culled, or every leaf without the frustum test) gathered.
struct TimedemoModeRecord {
    std::vector<std::uint64_t> frameTicks; // one entry per frame of this mode, allocated at the start
    int recorded = 0;                      // frames of this mode finished so far
    std::uint64_t cpuTicks = 0;            // input and rules of these frames
    OctreeStats octree{};                  // the octree's counts, summed over these frames
    std::int64_t fragmentsShaded = 0;      // the level's, when fragments are counted
    std::int64_t fragmentsPassed = 0;
};

// A timedemo run: the frames of the built-in camera path, timed one by one, with the octree's
// per-frame counters added up per drawing mode. Everything the frame loop writes is allocated
// before it starts.
struct TimedemoRecorder {
    bool active = false;               // armed by StartTimedemo; every call below does nothing while false
    bool baseline = false;             // every leaf is drawn each frame, without the frustum test
    bool alternate = false;            // culled and baseline frames alternate, culled first
    bool countFragments = false;       // the level's fragments are counted each frame
    bool fragmentsShaded = false;      // the driver counts shaded fragments, not only those passing
    int frames = 0;                    // frames to run
    int recorded = 0;                  // frames finished so far; also the frame the key path is at
    TimedemoModeRecord modes[2];       // [0] culled, [1] baseline
    std::vector<std::uint64_t> sorted; // scratch for the report
    std::uint64_t lastFrameEnd = 0;
    std::uint64_t firstFrameEnd = 0;
    std::uint64_t sectionStart = 0;
    int progressStep = 0;         // frames between progress lines on a terminal; 0: no progress lines
    KeyScript path;               // the built-in camera path, replayed in place of the keyboard
    std::uint32_t pathFrames = 1; // frames of one pass of path
};

// How a timedemo draws the level.
enum class TimedemoMode { Culled, Baseline, Alternate };

// Arms timedemo for frames frames and replaces the keyboard of input with the built-in camera path.
// With countFragments, makes the GL queries that count the level's fragments (a line on standard
// error when the driver has none). Allocates every array the run needs.
void StartTimedemo(TimedemoRecorder& timedemo, InputDevices& input, int frames, TimedemoMode mode,
                   bool countFragments);

// True when the frame being made draws every leaf without the frustum test: in every frame of a
// baseline run, in every second frame of an alternating one, never outside a timedemo.
bool DrawsEveryLeaf(const TimedemoRecorder& timedemo);

// Opens a frame: starts its timing (for the first frame) and its first CPU-work section.
void BeginTimedemoFrame(TimedemoRecorder& timedemo);
// Time between a Begin and its End counts as the frame's own CPU work. Allocate nothing.
void BeginCpuSection(TimedemoRecorder& timedemo);
void EndCpuSection(TimedemoRecorder& timedemo);
// Around the level's drawing: count its fragments when asked. Allocate nothing.
void BeginLevelCount(const TimedemoRecorder& timedemo);
void EndLevelCount(const TimedemoRecorder& timedemo);
// Closes a frame: stores its time and adds frameCounts (and the fragment counts) to its mode's;
// writes a progress line now and then when standard error is a terminal. Allocates
// nothing.
void EndTimedemoFrame(TimedemoRecorder& timedemo, const OctreeStats& frameCounts);

// Prints the report on standard output: one per mode drawn, then, for an alternating run, the
// ratio of the two, for an octree of leafCount leaves drawn into windowPixels pixels. Call once,
// after the run.
void PrintTimedemoReport(TimedemoRecorder& timedemo, int leafCount, std::int64_t windowPixels);
