#include "shell/ReplayHooks.hpp"

#include "input/KeyScript.hpp"
#include "octree/OctreeStats.hpp"
#include "shell/StateDump.hpp"
#include "shell/World.hpp"

#include <cstdint>

namespace {

KeyScript keyScript; // loaded by StartKeyReplay before the window opens; read by every Poll

// Frame n's snapshot: framesRun counts the frames completed before this one.
void ReplayKeys(std::uint8_t keys[256]) {
    keyScript.HoldKeys(static_cast<std::uint32_t>(framesRun), keys);
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
    return WriteStateDump(path, state);
}
