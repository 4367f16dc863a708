#include "diag/TimedemoReport.hpp"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace {

void AppendLine(std::string& out, const char* format, ...) {
    char line[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    out += line;
    out += '\n';
}

double PerFrame(std::int64_t sum, int frames) {
    return frames > 0 ? static_cast<double>(sum) / frames : 0.0;
}

// "level fragments per frame: 2.70 M shaded (5.6 x the window), 1.09 M passing the depth test (2.3 x)"
void AppendFragments(std::string& out, const TimedemoTotals& totals) {
    const double pixels = totals.windowPixels > 0 ? static_cast<double>(totals.windowPixels) : 1.0;
    const double passed = PerFrame(totals.fragmentsPassed, totals.frames);
    if (totals.fragmentsShaded >= 0) {
        const double shaded = PerFrame(totals.fragmentsShaded, totals.frames);
        AppendLine(out,
                   "level fragments per frame: %.2f M shaded (%.1f x the window), %.2f M passing the depth "
                   "test (%.1f x)",
                   shaded / 1e6, shaded / pixels, passed / 1e6, passed / pixels);
    } else {
        AppendLine(out,
                   "level fragments per frame: %.2f M passing the depth test (%.1f x the window); shaded: "
                   "not counted by this driver",
                   passed / 1e6, passed / pixels);
    }
}

} // namespace

FrameTimeSummary SummariseFrameTimes(const TimedemoTotals& totals, std::uint64_t* sorted) {
    FrameTimeSummary summary;
    const int n = totals.frames;
    if (n <= 0 || totals.ticksPerSecond == 0) {
        return summary;
    }
    const double msPerTick = 1000.0 / static_cast<double>(totals.ticksPerSecond);
    std::copy(totals.frameTicks, totals.frameTicks + n, sorted);
    std::sort(sorted, sorted + n);
    std::uint64_t sum = 0;
    for (int i = 0; i < n; ++i) {
        sum += sorted[i];
    }
    const double meanTicks = static_cast<double>(sum) / n;
    double squares = 0.0;
    for (int i = 0; i < n; ++i) {
        const double d = static_cast<double>(sorted[i]) - meanTicks;
        squares += d * d;
    }
    summary.totalSeconds = static_cast<double>(sum) / static_cast<double>(totals.ticksPerSecond);
    summary.minimum = static_cast<double>(sorted[0]) * msPerTick;
    summary.maximum = static_cast<double>(sorted[n - 1]) * msPerTick;
    summary.mean = meanTicks * msPerTick;
    summary.standardDeviation = std::sqrt(squares / n) * msPerTick;
    const double middle =
        n % 2 == 1 ? static_cast<double>(sorted[n / 2])
                   : (static_cast<double>(sorted[n / 2 - 1]) + static_cast<double>(sorted[n / 2])) / 2.0;
    summary.median = middle * msPerTick;
    // Nearest rank: ceil(0.99 n), counted from 1; in integers so that 100 frames give rank 99.
    const std::int64_t rank = (99 * static_cast<std::int64_t>(n) + 99) / 100;
    summary.percentile99 = static_cast<double>(sorted[rank - 1]) * msPerTick;
    return summary;
}

std::string FormatFramesLine(int frames, const FrameTimeSummary& s) {
    const double fps = s.totalSeconds > 0.0 ? frames / s.totalSeconds : 0.0;
    std::string out;
    AppendLine(out, "%d frames %.1f seconds %.1f fps %.1f/%.1f/%.1f/%.1f ms", frames, s.totalSeconds, fps,
               s.minimum, s.mean, s.maximum, s.standardDeviation);
    return out;
}

std::string FormatTimedemoReport(const TimedemoTotals& totals, std::uint64_t* sorted) {
    const FrameTimeSummary s = SummariseFrameTimes(totals, sorted);
    const int n = totals.frames;
    const double cpuSeconds =
        static_cast<double>(totals.cpuTicks) / static_cast<double>(totals.ticksPerSecond);
    const double cpuShare = s.totalSeconds > 0.0 ? 100.0 * cpuSeconds / s.totalSeconds : 0.0;
    const double leaves = PerFrame(totals.octree.leavesDrawn, n);
    const double leafShare = totals.leafCount > 0 ? 100.0 * leaves / totals.leafCount : 0.0;
    const double drawNodes = PerFrame(totals.octree.drawNodesTested, n);
    const double collideNodes = PerFrame(totals.octree.collideNodesTested, n);

    std::string out = FormatFramesLine(n, s);
    AppendLine(out, "mode: %s%s", totals.baseline ? "baseline (every leaf drawn, no frustum test)" : "culled",
               totals.alternating ? ", alternate frames" : "");
    AppendLine(out, "frame time median: %.2f ms", s.median);
    AppendLine(out, "frame time 99th percentile: %.2f ms", s.percentile99);
    AppendLine(out, "leaves drawn per frame: %.1f of %d (%.1f%%)", leaves, totals.leafCount, leafShare);
    AppendLine(out, "octree nodes tested per frame: %.1f (drawing %.1f, collision %.1f)",
               drawNodes + collideNodes, drawNodes, collideNodes);
    AppendLine(out, "collision faces tested per frame: %.1f", PerFrame(totals.octree.facesTested, n));
    AppendLine(out, "frame CPU work (input and rules): %.3f ms per frame (%.2f%% of frame time)",
               n > 0 ? 1000.0 * cpuSeconds / n : 0.0, cpuShare);
    if (totals.fragmentsPassed >= 0) {
        AppendFragments(out, totals);
    }
    if (totals.startUpSeconds >= 0.0) {
        AppendLine(out, "start-up (process start to first frame): %.3f seconds", totals.startUpSeconds);
    } else {
        AppendLine(out, "start-up (process start to first frame): unknown");
    }
    return out;
}

std::string FormatModeRatio(const TimedemoTotals& culled, const TimedemoTotals& baseline,
                            std::uint64_t* sorted) {
    const FrameTimeSummary c = SummariseFrameTimes(culled, sorted);
    const FrameTimeSummary b = SummariseFrameTimes(baseline, sorted);
    const double culledFps = c.totalSeconds > 0.0 ? culled.frames / c.totalSeconds : 0.0;
    const double baselineFps = b.totalSeconds > 0.0 ? baseline.frames / b.totalSeconds : 0.0;
    std::string out;
    AppendLine(out,
               "culled over baseline, alternate frames: %.3f (frames per second), %.3f (median frame time)",
               baselineFps > 0.0 ? culledFps / baselineFps : 0.0, c.median > 0.0 ? b.median / c.median : 0.0);
    return out;
}
