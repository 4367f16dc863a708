// jostrela-replay: a replay of one to four players through the rules alone, with no window and no
// GL: the game's --players, --keys, --join-frame, --leave-frame, --frames, --dump-state and --trace,
// run in a run folder as the game is. Its dump and trace are the game's without the octree's
// counts (which come partly from the drawing): the offline oracle of a networked game.
#include "diag/StateDump.hpp"
#include "diag/Trace.hpp"
#include "input/KeyMask.hpp"
#include "input/KeyScript.hpp"
#include "model/Model.hpp"
#include "model/ModelObject.hpp"
#include "model/Reader3DS.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "play/Roster.hpp"
#include "play/RulesStep.hpp"
#include "shell/Options.hpp"

#include <cstdio>
#include <string>

namespace {

bool Refuse(const std::string& text) {
    std::fprintf(stderr, "jostrela-replay: %s\n", text.c_str());
    return false;
}

// The game's options this tool follows; the drawing's are refused.
bool UsableHere(const Options& options) {
    if (options.frames == 0) {
        return Refuse("--frames is needed: a replay without a window runs a counted number of frames");
    }
    if (!options.screenshot.empty() || !options.stats.empty() || options.timedemo > 0) {
        return Refuse("--screenshot, --stats and the timedemos need the game's drawing");
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // With no sink installed, a model that cannot be read is a line on standard error.
    Options options;
    std::string problem;
    if (!ParseOptions(argc, argv, options, problem)) {
        std::fprintf(stderr, "jostrela-replay: %s\n", problem.c_str());
        return 2;
    }
    if (options.help || !UsableHere(options)) {
        return options.help ? 0 : 2;
    }
    KeyScript scripts[kMaxPlayers];
    for (std::size_t slot = 0; slot < options.keys.size(); ++slot) {
        KeyScriptError error;
        if (!LoadKeyScript(options.keys[slot].c_str(), scripts[slot], error)) {
            std::fprintf(stderr, "jostrela-replay: key script %s, line %d: %s\n", options.keys[slot].c_str(),
                         error.line, error.what.c_str());
            return 2;
        }
    }
    Model church;
    Read3dsFile(church, "MODELOS/church.3DS");
    Octree octree;
    if (octree.Build(church).outOfMemory) {
        Refuse("no memory to partition the level");
        return 1;
    }
    const RulesLevel level{&octree, &church, kCollisionRadius};
    TraceFile trace;
    if (!options.trace.empty() && !StartTrace(trace, options.trace.c_str())) {
        return 2;
    }

    SimState state = EmptyState();
    const bool withPlayers = options.roster.players > 1;
    while (state.frame < static_cast<std::uint32_t>(options.frames)) {
        JoinAndLeave(state, level, options.roster);
        KeyMask keys[kMaxPlayers];
        for (int slot = 0; slot < kMaxPlayers; ++slot) {
            keys[slot] = KeyMaskAt(scripts[slot], state.frame);
        }
        OctreeStats counts{};
        if (StepRules(state, level, keys, counts)) {
            break; // Escape ends the game, as it does the game's
        }
        TraceFrame(trace, RulesState(state, withPlayers));
    }
    const bool dumped =
        options.dumpState.empty() || DumpGameState(RulesState(state, withPlayers), options.dumpState.c_str());
    const bool traced = EndTrace(trace);
    return dumped && traced ? 0 : 1;
}
