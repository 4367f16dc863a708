#pragma once

#include <cstdint>
#include <vector>

// A timedemo run: the frames of the built-in camera path, timed one by one, with the octree's
// per-frame counters added up. Everything the frame loop writes is allocated before it starts.
struct TimedemoRecorder {
    bool active = false;   // armed by StartTimedemo; every call below does nothing while false
    bool baseline = false; // every leaf is drawn each frame, without the frustum test
    int frames = 0;        // frames to run
    int recorded = 0;      // frames finished so far; also the frame the key path is at
    std::vector<std::uint64_t> frameTicks; // frames entries: end of the previous frame to end of this one
    std::vector<std::uint64_t> sorted;     // scratch for the report
    std::uint64_t lastFrameEnd = 0;
    std::uint64_t firstFrameEnd = 0;
    std::uint64_t sectionStart = 0;
    std::uint64_t cpuTicks = 0; // input, frame step, frustum and collision of every frame
    std::int64_t leavesDrawn = 0;
    std::int64_t drawNodesTested = 0;
    std::int64_t collideNodesTested = 0;
    std::int64_t facesTested = 0;
    int progressStep = 0; // frames between progress lines on a terminal; 0: no progress lines
};

extern TimedemoRecorder timedemo; // armed by the entry for --timedemo; written by MainLoop and RenderFrame

// Arms the recorder for frames frames and replaces the keyboard of input with the built-in camera
// path. Allocates every array the run needs.
void StartTimedemo(int frames, bool baseline);

// Opens a frame: starts its timing (for the first frame) and its first CPU-work section.
void BeginTimedemoFrame();
// Time between a Begin and its End counts as the frame's own CPU work. Allocate nothing.
void BeginCpuSection();
void EndCpuSection();
// Closes a frame: stores its time and adds this frame's octree counters; writes a progress line
// now and then when standard error is a terminal. Allocates nothing.
void EndTimedemoFrame();

// Prints the report on standard output. Call once, after the run.
void PrintTimedemoReport();
