#include "shell/Timedemo.hpp"

#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "platform/Platform.hpp"
#include "shell/TimedemoPath.hpp"
#include "shell/TimedemoReport.hpp"
#include "shell/World.hpp"

#include <cstdio>
#include <string>

TimedemoRecorder timedemo;

namespace {

// About a hundred progress lines over a run, whatever its length.
constexpr int kProgressLines = 100;

KeyScript path;               // parsed by StartTimedemo, replayed by HoldPathKeys
std::uint32_t pathFrames = 1; // frames of one pass of path

// The keyboard of a timedemo frame: the path at the frame being made; a run longer than the path
// starts it again from its first frame.
void HoldPathKeys(std::uint8_t keys[256]) {
    path.HoldKeys(static_cast<std::uint32_t>(timedemo.recorded) % pathFrames, keys);
}

} // namespace

void StartTimedemo(int frames, bool baseline) {
    timedemo.active = true;
    timedemo.baseline = baseline;
    timedemo.frames = frames;
    timedemo.frameTicks.assign(static_cast<std::size_t>(frames), 0);
    timedemo.sorted.assign(static_cast<std::size_t>(frames), 0);
    timedemo.progressStep =
        platform::StandardErrorIsTerminal() ? (frames + kProgressLines - 1) / kProgressLines : 0;
    if (ParseTimedemoPath(path)) {
        pathFrames = ScriptFrames(path);
        input.keySource = HoldPathKeys;
    }
}

void BeginTimedemoFrame() {
    if (!timedemo.active) {
        return;
    }
    const std::uint64_t now = platform::PerformanceCounter();
    if (timedemo.recorded == 0) {
        timedemo.lastFrameEnd = now;
    }
    timedemo.sectionStart = now;
}

void BeginCpuSection() {
    if (timedemo.active) {
        timedemo.sectionStart = platform::PerformanceCounter();
    }
}

void EndCpuSection() {
    if (timedemo.active) {
        timedemo.cpuTicks += platform::PerformanceCounter() - timedemo.sectionStart;
    }
}

void EndTimedemoFrame() {
    if (!timedemo.active || timedemo.recorded >= timedemo.frames) {
        return;
    }
    const std::uint64_t now = platform::PerformanceCounter();
    timedemo.frameTicks[static_cast<std::size_t>(timedemo.recorded)] = now - timedemo.lastFrameEnd;
    timedemo.lastFrameEnd = now;
    if (timedemo.recorded == 0) {
        timedemo.firstFrameEnd = now;
    }
    timedemo.leavesDrawn += octreeStats.leavesDrawn;
    timedemo.drawNodesTested += octreeStats.drawNodesTested;
    timedemo.collideNodesTested += octreeStats.collideNodesTested;
    timedemo.facesTested += octreeStats.facesTested;
    ++timedemo.recorded;
    if (timedemo.progressStep > 0 &&
        (timedemo.recorded % timedemo.progressStep == 0 || timedemo.recorded == timedemo.frames)) {
        std::fprintf(stderr, "\rtimedemo: %d/%d frames", timedemo.recorded, timedemo.frames);
        if (timedemo.recorded == timedemo.frames) {
            std::fputc('\n', stderr);
        }
    }
}

void PrintTimedemoReport() {
    TimedemoTotals totals;
    totals.frameTicks = timedemo.frameTicks.data();
    totals.frames = timedemo.recorded;
    totals.ticksPerSecond = platform::PerformanceFrequency();
    totals.cpuTicks = timedemo.cpuTicks;
    totals.leavesDrawn = timedemo.leavesDrawn;
    totals.leafCount = leafCount;
    totals.drawNodesTested = timedemo.drawNodesTested;
    totals.collideNodesTested = timedemo.collideNodesTested;
    totals.facesTested = timedemo.facesTested;
    totals.baseline = timedemo.baseline;
    // The process's age now, less the time since the first frame was presented.
    const double age = platform::SecondsSinceProcessStart();
    if (age >= 0.0 && timedemo.recorded > 0) {
        const double sinceFirstFrame =
            static_cast<double>(platform::PerformanceCounter() - timedemo.firstFrameEnd) /
            static_cast<double>(totals.ticksPerSecond);
        totals.startUpSeconds = age - sinceFirstFrame;
    }
    const std::string report = FormatTimedemoReport(totals, timedemo.sorted.data());
    std::fputs(report.c_str(), stdout);
    std::fflush(stdout);
}
