#pragma once

// The game's world: every object that lives for the whole run, in one record, declared in their
// order of construction. The game has one, made in Main.cpp during static construction (both models
// are read then, before the entry and before any window exists), and hands it to the start-up, the
// main loop and the drawing; tests make their own. Each member says who writes it.

#include "diag/FrameStats.hpp"
#include "diag/Timedemo.hpp"
#include "diag/Trace.hpp"
#include "geometry/Frustum.hpp"
#include "input/InputDevices.hpp"
#include "input/KeyScript.hpp"
#include "model/ModelObject.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "play/Player.hpp"
#include "play/RulesStep.hpp"
#include "shell/ControlsHelp.hpp"
#include "shell/DrawnView.hpp"
#include "shell/GLWindow.hpp"
#include "shell/Options.hpp"

#include <cstdint>
#include <string>

struct World {
    // Reads the penguin's and the level's 3DS files (a file that cannot be read has shown its
    // message and leaves its model empty). Issues no GL calls.
    World(const char* penguinFile, const char* levelFile) : penguin(penguinFile), level(levelFile) {}
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    ModelObject penguin; // its file read at construction; textured by StartUp, drawn once per player
    ModelObject level;   // its file read at construction; textured by StartUp, read by the octree
    // The players, the blocks and the frames stepped: blocks placed by StartUp, players joined by
    // the main loop, everything stepped by the rules. The blocks' texture slots are StartUp's.
    SimState sim;
    InputDevices input;  // initialised by StartUp, polled by MainLoop; slot 0's keys
    Octree octree;       // the level's partition: built by StartUp, drawn and queried by the rules
    Frustum frustum{};   // rebuilt by the drawing before it applies the view, read by the octree's drawing
    DrawnView drawnView; // the viewed player's eye as drawn: followed by the drawing every frame

    GLWindow mainWindow;        // created by the entry; Destroy'd by Escape, close or a failed start-up
    float lastTitleTime = 0.0f; // seconds of the last title refresh; written by UpdateTitle
    unsigned arial48 = 0;       // list bases of the bitmap fonts, written by StartUp
    unsigned arial24 = 0;
    unsigned arial18 = 0;
    unsigned comic48 = 0;
    int leafCount = 0; // leaves of octree, from its build by StartUp
    // GL texture names of the blocks by slot: written by StartUp, read by the drawing.
    std::uint32_t blockTextures[kBlockTextureSlots] = {};
    // What the octree did in the frame being made: the rules' collision queries, then the drawing's
    // culling; read by the stats, the timedemo and the state dump.
    OctreeStats octreeStats{};

    Options options;               // written by the entry from the command line
    bool screenshotFailed = false; // set by the drawing when --screenshot could not be written
    FrameStatsFile stats;          // --stats: opened and written by MainLoop, closed by the entry
    // --keys, one per slot: loaded by the entry before the window opens; slot 0's is read by Poll,
    // the others by MainLoop.
    KeyScript keyScripts[kMaxPlayers];
    TraceFile trace;           // --trace: opened and closed by the entry, written by MainLoop
    TimedemoRecorder timedemo; // --timedemo: armed by the entry, written by MainLoop and the drawing

    // A networked game: written by the entry; the dump lists every slot and names float above
    // every penguin, as with several players offline.
    bool networked = false;
    // The players' names in a networked game, by slot (empty: the slot's own "Jugador N"): written
    // by the networked loop from its session, read by the drawing.
    std::string names[kMaxPlayers];
    // Lines drawn over the picture, written by the networked loop: whom it waits for (empty: no one),
    // and a notice (a player left, the games went out of step) shown until noticeUntil.
    std::string waitingText;
    std::string notice;
    std::uint64_t noticeUntil = 0; // microseconds of the networked loop's clock
    ControlsHelp help; // F1's controls: followed by both loops after each poll, read by the drawing

    // What the rules read of the level.
    RulesLevel Level() const { return RulesLevel{&octree, &level.model, penguin.radius}; }
};
