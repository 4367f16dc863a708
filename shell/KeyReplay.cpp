#include "shell/KeyReplay.hpp"

#include "base/OptionFailure.hpp"
#include "input/KeyScript.hpp"
#include "shell/World.hpp"

#include <cstdint>
#include <string>

namespace {

// Frame n's snapshot: the rules have completed n frames before this one. context is the world.
void ReplayKeys(const void* context, std::uint8_t keys[256]) {
    const World& world = *static_cast<const World*>(context);
    world.keyScripts[0].HoldKeys(world.sim.frame, keys);
}

} // namespace

bool StartKeyReplay(World& world, int slot, const char* path) {
    KeyScriptError error;
    if (!LoadKeyScript(path, world.keyScripts[slot], error)) {
        std::string text = std::string("key script ") + path;
        if (error.line > 0) {
            text += ", line " + std::to_string(error.line);
        }
        ReportOptionFailure(text + ": " + error.what);
        return false;
    }
    if (slot == 0) {
        world.input.keySource = ReplayKeys;
        world.input.keySourceContext = &world;
    }
    return true;
}

void FrameKeys(const World& world, KeyMask keys[kMaxPlayers]) {
    keys[0] = KeyMaskFromSnapshot(world.input.keys);
    for (int slot = 1; slot < kMaxPlayers; ++slot) {
        keys[slot] = KeyMaskAt(world.keyScripts[slot], world.sim.frame);
    }
}
