#include "diag/TimedemoPath.hpp"
#include "diag/TimedemoReport.hpp"
#include "shell/Options.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Frame times in milliseconds on a clock of 1,000,000 ticks a second.
TimedemoTotals Totals(const std::vector<std::uint64_t>& ticks) {
    TimedemoTotals totals;
    totals.frameTicks = ticks.data();
    totals.frames = static_cast<int>(ticks.size());
    totals.ticksPerSecond = 1000000;
    return totals;
}

bool Parse(std::vector<const char*> args, Options& options, std::string& problem) {
    args.insert(args.begin(), "jostrela");
    return ParseOptions(static_cast<int>(args.size()), args.data(), options, problem);
}

} // namespace

TEST(TimedemoReport, SummaryOfFrameTimes) {
    // 2, 4, 4, 4, 5, 5, 7, 9 ms: mean 5, population deviation 2, median 4.5.
    const std::vector<std::uint64_t> ticks = {4000, 2000, 9000, 4000, 5000, 4000, 7000, 5000};
    std::vector<std::uint64_t> sorted(ticks.size());
    const FrameTimeSummary s = SummariseFrameTimes(Totals(ticks), sorted.data());
    EXPECT_DOUBLE_EQ(s.totalSeconds, 0.040);
    EXPECT_DOUBLE_EQ(s.minimum, 2.0);
    EXPECT_DOUBLE_EQ(s.mean, 5.0);
    EXPECT_DOUBLE_EQ(s.maximum, 9.0);
    EXPECT_DOUBLE_EQ(s.standardDeviation, 2.0);
    EXPECT_DOUBLE_EQ(s.median, 4.5);
    EXPECT_DOUBLE_EQ(s.percentile99, 9.0);
    EXPECT_EQ(ticks[0], 4000u) << "the frame times themselves stay in frame order";
}

TEST(TimedemoReport, NinetyNinthPercentileIsTheNearestRank) {
    // 1..200 ms: rank ceil(0.99 x 200) = 198; 100 frames give rank 99; one frame is its own.
    std::vector<std::uint64_t> ticks;
    for (int i = 200; i >= 1; --i) {
        ticks.push_back(static_cast<std::uint64_t>(i) * 1000);
    }
    std::vector<std::uint64_t> sorted(ticks.size());
    EXPECT_DOUBLE_EQ(SummariseFrameTimes(Totals(ticks), sorted.data()).percentile99, 198.0);
    ticks.resize(100); // 200 .. 101
    EXPECT_DOUBLE_EQ(SummariseFrameTimes(Totals(ticks), sorted.data()).percentile99, 199.0);
    ticks.resize(1);
    const FrameTimeSummary one = SummariseFrameTimes(Totals(ticks), sorted.data());
    EXPECT_DOUBLE_EQ(one.percentile99, 200.0);
    EXPECT_DOUBLE_EQ(one.median, 200.0);
    EXPECT_DOUBLE_EQ(one.standardDeviation, 0.0);
}

TEST(TimedemoReport, EveryFigureHasItsLine) {
    const std::vector<std::uint64_t> ticks(100, 8000); // 100 frames of 8 ms
    TimedemoTotals totals = Totals(ticks);
    totals.cpuTicks = 20000; // 0.2 ms a frame
    totals.octree.leavesDrawn = 1250;
    totals.leafCount = 40;
    totals.octree.drawNodesTested = 3000;
    totals.octree.collideNodesTested = 500;
    totals.octree.facesTested = 4200;
    totals.startUpSeconds = 0.5;
    std::vector<std::uint64_t> sorted(ticks.size());
    const std::string report = FormatTimedemoReport(totals, sorted.data());
    const char* const lines[] = {
        "100 frames 0.8 seconds 125.0 fps 8.0/8.0/8.0/0.0 ms\n",
        "mode: culled\n",
        "frame time median: 8.00 ms\n",
        "frame time 99th percentile: 8.00 ms\n",
        "leaves drawn per frame: 12.5 of 40 (31.2%)\n",
        "octree nodes tested per frame: 35.0 (drawing 30.0, collision 5.0)\n",
        "collision faces tested per frame: 42.0\n",
        "frame CPU work (input and rules): 0.200 ms per frame (2.50% of frame time)\n",
        "start-up (process start to first frame): 0.500 seconds\n",
    };
    EXPECT_EQ(report.rfind(lines[0], 0), 0u) << report;
    for (const char* line : lines) {
        EXPECT_NE(report.find(line), std::string::npos) << line << "\nin\n" << report;
    }
    totals.baseline = true;
    totals.startUpSeconds = -1.0;
    const std::string baseline = FormatTimedemoReport(totals, sorted.data());
    EXPECT_NE(baseline.find("mode: baseline"), std::string::npos);
    EXPECT_NE(baseline.find("start-up (process start to first frame): unknown"), std::string::npos);
}

TEST(TimedemoReport, FragmentsAndTheRatioOfAlternateFrames) {
    const std::vector<std::uint64_t> culledTicks = {8000, 8000, 9000};
    const std::vector<std::uint64_t> baselineTicks = {10000, 10000, 11000};
    TimedemoTotals culled = Totals(culledTicks);
    TimedemoTotals baseline = Totals(baselineTicks);
    baseline.baseline = true;
    baseline.alternating = true;
    baseline.windowPixels = 1000000;
    baseline.fragmentsShaded = 7500000; // 2.5 M a frame
    baseline.fragmentsPassed = 3000000;
    std::vector<std::uint64_t> sorted(3);
    const std::string report = FormatTimedemoReport(baseline, sorted.data());
    EXPECT_NE(report.find("mode: baseline (every leaf drawn, no frustum test), alternate frames\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("level fragments per frame: 2.50 M shaded (2.5 x the window), 1.00 M passing the "
                          "depth test (1.0 x)\n"),
              std::string::npos)
        << report;
    baseline.fragmentsShaded = -1;
    EXPECT_NE(FormatTimedemoReport(baseline, sorted.data()).find("shaded: not counted by this driver"),
              std::string::npos);
    EXPECT_EQ(FormatTimedemoReport(culled, sorted.data()).find("fragments"), std::string::npos);
    // 25 ms against 31 ms in all; medians 8 and 10 ms.
    EXPECT_EQ(
        FormatModeRatio(culled, baseline, sorted.data()),
        "culled over baseline, alternate frames: 1.240 (frames per second), 1.250 (median frame time)\n");
}

TEST(TimedemoReport, NoFramesGiveZerosNotNonsense) {
    const std::vector<std::uint64_t> none;
    TimedemoTotals totals = Totals(none);
    const std::string report = FormatTimedemoReport(totals, nullptr);
    EXPECT_EQ(report.rfind("0 frames 0.0 seconds 0.0 fps 0.0/0.0/0.0/0.0 ms\n", 0), 0u) << report;
    EXPECT_EQ(report.find("nan"), std::string::npos) << report;
}

TEST(TimedemoOptions, CountIsOptionalAndSetsTheFrames) {
    Options options;
    std::string problem;
    ASSERT_TRUE(Parse({"--timedemo"}, options, problem)) << problem;
    EXPECT_EQ(options.timedemo, 1000);
    EXPECT_EQ(options.frames, 1000);
    EXPECT_FALSE(options.timedemoBaseline);

    Options counted;
    ASSERT_TRUE(Parse({"--timedemo", "50", "--screenshot", "last.png"}, counted, problem)) << problem;
    EXPECT_EQ(counted.timedemo, 50);
    EXPECT_EQ(counted.frames, 50);

    Options baseline;
    ASSERT_TRUE(Parse({"--timedemo-baseline", "--stats", "s.txt"}, baseline, problem)) << problem;
    EXPECT_EQ(baseline.timedemo, 1000);
    EXPECT_TRUE(baseline.timedemoBaseline);
    EXPECT_EQ(baseline.stats, "s.txt");

    Options alternate;
    ASSERT_TRUE(Parse({"--timedemo-alternate", "20", "--count-fragments"}, alternate, problem)) << problem;
    EXPECT_EQ(alternate.frames, 20);
    EXPECT_TRUE(alternate.timedemoAlternate);
    EXPECT_FALSE(alternate.timedemoBaseline);
    EXPECT_TRUE(alternate.countFragments);
}

TEST(TimedemoOptions, BadCountsAndClashesAreRefused) {
    const std::vector<std::vector<const char*>> bad = {
        {"--timedemo", "0"},
        {"--timedemo", "-5"},
        {"--timedemo", "12x"},
        {"--timedemo", "99999999999"},
        {"--timedemo-baseline", "many"},
        {"--timedemo", "10", "--frames", "10"},
        {"--keys", "walk.txt", "--timedemo"},
        {"--timedemo-alternate", "--timedemo-baseline"},
        {"--count-fragments", "--frames", "10"},
    };
    for (const auto& args : bad) {
        Options options;
        std::string problem;
        EXPECT_FALSE(Parse(args, options, problem)) << args[0] << " " << args[1];
        EXPECT_FALSE(problem.empty());
    }
}

// One pass of the path returns to where it began, facing the same way, so longer runs can repeat it:
// as many frames back (S) as forward (W), as many turning right as left.
TEST(TimedemoPath, OnePassPressesTheSwitchAndComesBack) {
    KeyScript path;
    ASSERT_TRUE(ParseTimedemoPath(path));
    const std::uint32_t frames = ScriptFrames(path);
    EXPECT_GT(frames, 500u);
    EXPECT_LT(frames, 1000u);
    const int kW = 17, kS = 31, kF = 33, kLeft = 203, kRight = 205;
    int w = 0, s = 0, f = 0, left = 0, right = 0;
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        std::uint8_t keys[256] = {};
        path.HoldKeys(frame, keys);
        w += keys[kW] >> 7;
        s += keys[kS] >> 7;
        f += keys[kF] >> 7;
        left += keys[kLeft] >> 7;
        right += keys[kRight] >> 7;
    }
    EXPECT_GT(w, 0);
    EXPECT_EQ(w, s);
    EXPECT_GT(f, 0);
    EXPECT_EQ(left, right);
    std::uint8_t after[256] = {};
    path.HoldKeys(frames, after);
    for (const std::uint8_t key : after) {
        ASSERT_EQ(key, 0);
    }
}
