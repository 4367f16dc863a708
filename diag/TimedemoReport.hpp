#pragma once

#include "octree/OctreeStats.hpp"

#include <cstdint>
#include <string>

// What a timedemo run gathered: one frame time per frame, in ticks of a clock that counts
// ticksPerSecond, and sums over all frames of the per-frame counters.
struct TimedemoTotals {
    const std::uint64_t* frameTicks = nullptr; // frames entries
    int frames = 0;
    std::uint64_t ticksPerSecond = 1;
    std::uint64_t cpuTicks = 0;        // the frames' own CPU work: input and rules
    OctreeStats octree{};              // the octree's counts, summed over the frames
    int leafCount = 0;                 // leaves in the octree
    bool baseline = false;             // every leaf drawn without the frustum test
    bool alternating = false;          // these frames alternated with frames of the other mode
    std::int64_t fragmentsShaded = -1; // the level's, summed; negative: not counted
    std::int64_t fragmentsPassed = -1; // the level's passing the depth test; negative: not counted
    std::int64_t windowPixels = 0;
    double startUpSeconds = -1.0; // process start to the first frame presented; negative: unknown
};

// Summary of the frame times, in milliseconds.
struct FrameTimeSummary {
    double totalSeconds = 0.0;
    double minimum = 0.0;
    double mean = 0.0;
    double maximum = 0.0;
    double standardDeviation = 0.0; // of the whole population of frames
    double median = 0.0;            // the mean of the two middle frames for an even count
    double percentile99 = 0.0;      // nearest rank: the smallest time at least 99% of frames reach
};

// Summarises the frame times of totals; sorted receives a sorted copy (frames entries, caller's
// storage). All zero for no frames. Pure.
FrameTimeSummary SummariseFrameTimes(const TimedemoTotals& totals, std::uint64_t* sorted);

// The classic first line of a report, "N frames S seconds F fps MIN/AVG/MAX/STDDEV ms", with its
// newline. Pure.
std::string FormatFramesLine(int frames, const FrameTimeSummary& summary);

// The report printed at the end of a timedemo: the first line in the classic form
// "N frames S seconds F fps MIN/AVG/MAX/STDDEV ms", then one "name: value" line per figure.
// sorted is scratch storage of frames entries. Pure.
std::string FormatTimedemoReport(const TimedemoTotals& totals, std::uint64_t* sorted);

// For an alternating run: the culled frames' rate over the baseline frames' ("culled over
// baseline", above 1 when culling saves time), from the frames per second and from the median
// frame times. sorted is scratch storage for the larger frame count. Pure.
std::string FormatModeRatio(const TimedemoTotals& culled, const TimedemoTotals& baseline,
                            std::uint64_t* sorted);
