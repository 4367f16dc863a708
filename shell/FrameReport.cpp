#include "shell/FrameReport.hpp"

#include "diag/FrameStats.hpp"
#include "diag/Timedemo.hpp"
#include "diag/Trace.hpp"
#include "shell/World.hpp"
#include "shell/WorldState.hpp"

void BeforeFrame(World& world) {
    BeginTimedemoFrame(world.timedemo);
}

void AfterRules(World& world) {
    EndCpuSection(world.timedemo);
}

void AfterUndrawnStep(World& world) {
    if (world.trace.output.file != nullptr) {
        TraceFrame(world.trace, CurrentState(world));
    }
}

void AfterDrawing(World& world) {
    EndTimedemoFrame(world.timedemo, world.octreeStats);
    RecordFrameStats(world.stats, world.options.stats, static_cast<int>(world.sim.frame), world.octreeStats);
    if (world.trace.output.file != nullptr) {
        TraceFrame(world.trace, CurrentState(world));
    }
}
