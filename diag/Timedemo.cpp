#include "diag/Timedemo.hpp"

#include "base/OptionFailure.hpp"
#include "diag/FragmentCounter.hpp"
#include "diag/TimedemoPath.hpp"
#include "diag/TimedemoReport.hpp"
#include "input/InputDevices.hpp"
#include "platform/Platform.hpp"

#include <cstdio>
#include <string>

namespace {

// About a hundred progress lines over a run, whatever its length.
constexpr int kProgressLines = 100;

// The keyboard of a timedemo frame: the path at the frame being made; a run longer than the path
// starts it again from its first frame. context is the recorder.
void HoldPathKeys(const void* context, std::uint8_t keys[256]) {
    const TimedemoRecorder& timedemo = *static_cast<const TimedemoRecorder*>(context);
    timedemo.path.HoldKeys(static_cast<std::uint32_t>(timedemo.recorded) % timedemo.pathFrames, keys);
}

// The record of the mode the frame being made is drawn in.
TimedemoModeRecord& CurrentMode(TimedemoRecorder& timedemo) {
    return timedemo.modes[DrawsEveryLeaf(timedemo) ? 1 : 0];
}

} // namespace

void StartTimedemo(TimedemoRecorder& timedemo, InputDevices& input, int frames, TimedemoMode mode,
                   bool countFragments) {
    timedemo.active = true;
    timedemo.baseline = mode == TimedemoMode::Baseline;
    timedemo.alternate = mode == TimedemoMode::Alternate;
    timedemo.frames = frames;
    // An alternating run gives the culled mode the odd frame of an odd count.
    const int culledFrames = timedemo.alternate ? frames - frames / 2 : timedemo.baseline ? 0 : frames;
    timedemo.modes[0].frameTicks.assign(static_cast<std::size_t>(culledFrames), 0);
    timedemo.modes[1].frameTicks.assign(static_cast<std::size_t>(frames - culledFrames), 0);
    timedemo.sorted.assign(static_cast<std::size_t>(frames), 0);
    timedemo.progressStep =
        platform::StandardErrorIsTerminal() ? frames / kProgressLines + (frames % kProgressLines != 0) : 0;
    if (countFragments) {
        timedemo.countFragments = StartFragmentCounting();
        if (!timedemo.countFragments) {
            ReportOptionFailure("this OpenGL driver cannot count fragments");
        }
    }
    if (ParseTimedemoPath(timedemo.path)) {
        timedemo.pathFrames = ScriptFrames(timedemo.path);
        input.keySource = HoldPathKeys;
        input.keySourceContext = &timedemo;
    }
}

bool DrawsEveryLeaf(const TimedemoRecorder& timedemo) {
    return timedemo.active && (timedemo.baseline || (timedemo.alternate && timedemo.recorded % 2 == 1));
}

void BeginTimedemoFrame(TimedemoRecorder& timedemo) {
    if (!timedemo.active) {
        return;
    }
    const std::uint64_t now = platform::PerformanceCounter();
    if (timedemo.recorded == 0) {
        timedemo.lastFrameEnd = now;
    }
    timedemo.sectionStart = now;
}

void BeginCpuSection(TimedemoRecorder& timedemo) {
    if (timedemo.active) {
        timedemo.sectionStart = platform::PerformanceCounter();
    }
}

void EndCpuSection(TimedemoRecorder& timedemo) {
    if (timedemo.active) {
        CurrentMode(timedemo).cpuTicks += platform::PerformanceCounter() - timedemo.sectionStart;
    }
}

void BeginLevelCount(const TimedemoRecorder& timedemo) {
    if (timedemo.countFragments) {
        BeginLevelFragments();
    }
}

void EndLevelCount(const TimedemoRecorder& timedemo) {
    if (timedemo.countFragments) {
        EndLevelFragments();
    }
}

void EndTimedemoFrame(TimedemoRecorder& timedemo, const OctreeStats& frameCounts) {
    if (!timedemo.active || timedemo.recorded >= timedemo.frames) {
        return;
    }
    const std::uint64_t now = platform::PerformanceCounter();
    TimedemoModeRecord& mode = CurrentMode(timedemo);
    mode.frameTicks[static_cast<std::size_t>(mode.recorded)] = now - timedemo.lastFrameEnd;
    timedemo.lastFrameEnd = now;
    if (timedemo.recorded == 0) {
        timedemo.firstFrameEnd = now;
    }
    mode.octree += frameCounts;
    if (timedemo.countFragments) {
        // Read after the swap, which has waited for the frame's drawing anyway.
        const LevelFragments fragments = ReadLevelFragments();
        timedemo.fragmentsShaded = fragments.shaded >= 0;
        mode.fragmentsShaded += fragments.shaded;
        mode.fragmentsPassed += fragments.passed;
    }
    ++mode.recorded;
    ++timedemo.recorded;
    if (timedemo.progressStep > 0 &&
        (timedemo.recorded % timedemo.progressStep == 0 || timedemo.recorded == timedemo.frames)) {
        std::fprintf(stderr, "\rtimedemo: %d/%d frames", timedemo.recorded, timedemo.frames);
        if (timedemo.recorded == timedemo.frames) {
            std::fputc('\n', stderr);
        }
    }
}

void PrintTimedemoReport(TimedemoRecorder& timedemo, int leafCount, std::int64_t windowPixels) {
    const std::uint64_t ticksPerSecond = platform::PerformanceFrequency();
    // The process's age now, less the time since the first frame was presented.
    double startUpSeconds = -1.0;
    const double age = platform::SecondsSinceProcessStart();
    if (age >= 0.0 && timedemo.recorded > 0) {
        const double sinceFirstFrame =
            static_cast<double>(platform::PerformanceCounter() - timedemo.firstFrameEnd) /
            static_cast<double>(ticksPerSecond);
        startUpSeconds = age - sinceFirstFrame;
    }
    TimedemoTotals totals[2];
    std::string report;
    for (int m = 0; m < 2; ++m) {
        const TimedemoModeRecord& mode = timedemo.modes[m];
        TimedemoTotals& t = totals[m];
        t.frameTicks = mode.frameTicks.data();
        t.frames = mode.recorded;
        t.ticksPerSecond = ticksPerSecond;
        t.cpuTicks = mode.cpuTicks;
        t.octree = mode.octree;
        t.leafCount = leafCount;
        t.baseline = m == 1;
        t.alternating = timedemo.alternate;
        t.startUpSeconds = startUpSeconds;
        if (timedemo.countFragments) {
            t.fragmentsPassed = mode.fragmentsPassed;
            t.fragmentsShaded = timedemo.fragmentsShaded ? mode.fragmentsShaded : -1;
            t.windowPixels = windowPixels;
        }
        const bool drawn = timedemo.alternate || (m == 1) == timedemo.baseline;
        if (drawn) {
            report += report.empty() ? "" : "\n";
            report += FormatTimedemoReport(t, timedemo.sorted.data());
        }
    }
    if (timedemo.alternate) {
        report += "\n";
        report += FormatModeRatio(totals[0], totals[1], timedemo.sorted.data());
    }
    std::fputs(report.c_str(), stdout);
    std::fflush(stdout);
}
