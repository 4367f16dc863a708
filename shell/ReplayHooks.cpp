#include "shell/ReplayHooks.hpp"

#include "input/KeyScript.hpp"
#include "shell/Options.hpp"
#include "shell/StateDump.hpp"
#include "shell/World.hpp"

#include <cstdint>

namespace {

// Frame n's snapshot: framesRun counts the frames completed before this one. context is the world.
void ReplayKeys(const void* context, std::uint8_t keys[256]) {
    const World& world = *static_cast<const World*>(context);
    world.keyScript.HoldKeys(static_cast<std::uint32_t>(world.framesRun), keys);
}

// The state of world now.
GameState CurrentState(const World& world) {
    GameState state{};
    state.frames = world.framesRun;
    state.camera = &world.camera;
    state.penguin = &world.penguin.position;
    state.jumpHeight = world.jumpHeight;
    state.jumping = world.jumping;
    state.collided = world.collided;
    state.firstDoor = &world.firstDoor;
    state.secondDoor = &world.secondDoor;
    state.doorSwitch = &world.doorSwitch;
    state.octree = &world.octreeStats;
    state.leafCount = world.leafCount;
    return state;
}

void ReportTraceFault(const TraceFile& trace) {
    ReportOptionFailure("trace " + trace.path + ": cannot be written");
}

} // namespace

bool StartKeyReplay(World& world, const char* path) {
    KeyScriptError error;
    if (!LoadKeyScript(path, world.keyScript, error)) {
        std::string text = std::string("key script ") + path;
        if (error.line > 0) {
            text += ", line " + std::to_string(error.line);
        }
        ReportOptionFailure(text + ": " + error.what);
        return false;
    }
    world.input.keySource = ReplayKeys;
    world.input.keySourceContext = &world;
    return true;
}

bool DumpGameState(const World& world, const char* path) {
    if (!WriteStateDump(path, CurrentState(world))) {
        ReportOptionFailure(std::string("state dump ") + path + ": cannot be written");
        return false;
    }
    return true;
}

bool StartTrace(TraceFile& trace, const char* path) {
    trace.path = path;
    trace.file = std::fopen(path, "wb");
    if (trace.file == nullptr) {
        ReportTraceFault(trace);
        return false;
    }
    trace.line.reserve(4096);
    return true;
}

void TraceFrame(World& world) {
    TraceFile& trace = world.trace;
    if (trace.file == nullptr || trace.failed) {
        return;
    }
    trace.line.clear();
    AppendStateJson(trace.line, CurrentState(world));
    // Flushed every frame, so a test can read the frames while the game runs.
    if (std::fwrite(trace.line.data(), 1, trace.line.size(), trace.file) != trace.line.size() ||
        std::fflush(trace.file) != 0) {
        trace.failed = true;
        ReportTraceFault(trace);
    }
}

bool EndTrace(TraceFile& trace) {
    if (trace.file == nullptr) {
        return true;
    }
    const bool closed = std::fclose(trace.file) == 0;
    trace.file = nullptr;
    if (!closed && !trace.failed) {
        trace.failed = true;
        ReportTraceFault(trace);
    }
    return !trace.failed;
}
