#include "shell/ReplayHooks.hpp"

#include "base/Message.hpp"
#include "input/KeyScript.hpp"
#include "octree/OctreeStats.hpp"
#include "shell/StateDump.hpp"
#include "shell/World.hpp"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

KeyScript keyScript; // loaded by StartKeyReplay before the window opens; read by every Poll

// Frame n's snapshot: framesRun counts the frames completed before this one.
void ReplayKeys(std::uint8_t keys[256]) {
    keyScript.HoldKeys(static_cast<std::uint32_t>(framesRun), keys);
}

std::FILE* traceFile = nullptr; // opened by StartTrace, closed by EndTrace
std::string traceLine;          // reused every frame, so tracing allocates nothing per frame
const char* tracePath = "";
bool traceFailed = false;

// The state of the process-wide objects now.
GameState CurrentState() {
    GameState state{};
    state.frames = framesRun;
    state.camera = &camera;
    state.penguin = &penguin.position;
    state.jumpHeight = jumpHeight;
    state.jumping = jumping;
    state.collided = collided;
    state.firstDoor = &firstDoor;
    state.secondDoor = &secondDoor;
    state.doorSwitch = &doorSwitch;
    state.octree = &octreeStats;
    state.leafCount = leafCount;
    return state;
}

void ReportTraceFault() {
    const std::string message = std::string("trace ") + tracePath + ": cannot be written";
    ShowMessage("--trace", message.c_str(), MessageIcon::Exclamation);
}

} // namespace

bool StartKeyReplay(const char* path) {
    if (!LoadKeyScript(path, keyScript)) {
        return false;
    }
    input.keySource = ReplayKeys;
    return true;
}

bool DumpGameState(const char* path) {
    return WriteStateDump(path, CurrentState());
}

bool StartTrace(const char* path) {
    tracePath = path;
    traceFile = std::fopen(path, "wb");
    if (traceFile == nullptr) {
        ReportTraceFault();
        return false;
    }
    traceLine.reserve(4096);
    return true;
}

void TraceFrame() {
    if (traceFile == nullptr || traceFailed) {
        return;
    }
    traceLine.clear();
    AppendStateJson(traceLine, CurrentState());
    // Flushed every frame, so a test can read the frames while the game runs.
    if (std::fwrite(traceLine.data(), 1, traceLine.size(), traceFile) != traceLine.size() ||
        std::fflush(traceFile) != 0) {
        traceFailed = true;
        ReportTraceFault();
    }
}

bool EndTrace() {
    if (traceFile == nullptr) {
        return true;
    }
    const bool closed = std::fclose(traceFile) == 0;
    traceFile = nullptr;
    if (!closed && !traceFailed) {
        traceFailed = true;
        ReportTraceFault();
    }
    return !traceFailed;
}
