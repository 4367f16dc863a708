#pragma once

// The game's world: every object that lives for the whole run, in one record, declared in their
// order of construction. The game has one, made in Main.cpp during static construction (both models
// are read then, before the entry and before any window exists), and hands it to the start-up, the
// main loop, the render pass and the frame step; tests make their own. Each member says who writes it.

#include "geometry/Camera.hpp"
#include "geometry/Frustum.hpp"
#include "geometry/Vector3.hpp"
#include "input/InputDevices.hpp"
#include "input/KeyScript.hpp"
#include "model/ModelObject.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "scene/MovingBlock.hpp"
#include "shell/FrameStats.hpp"
#include "shell/GLWindow.hpp"
#include "shell/Options.hpp"
#include "shell/ReplayHooks.hpp"
#include "shell/Timedemo.hpp"

#include <cstdint>

struct World {
    // Reads the penguin's and the level's 3DS files (a file that cannot be read has shown its
    // message and leaves its model empty). Issues no GL calls.
    World(const char* penguinFile, const char* levelFile) : penguin(penguinFile), level(levelFile) {}
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    ModelObject penguin;    // its file read at construction; textured by StartUp, drawn by RenderFrame
    ModelObject level;      // its file read at construction; textured by StartUp, read by the octree
    MovingBlock firstDoor;  // placed by StartUp, triggered by FrameStep; never drawn
    MovingBlock secondDoor; // placed by StartUp, triggered by FrameStep, moved by RenderFrame
    MovingBlock doorSwitch; // placed by StartUp, triggered by FrameStep, moved by RenderFrame
    Camera camera;          // posed by StartUp, moved by FrameStep, strafe refreshed by MainLoop
    const Vector3 startPosition{0.0f, 10.0f, 40.0f}; // the eye at start-up
    const Vector3 startViewPoint{0.0f, 0.0f, -3.0f}; // where the penguin starts
    const Vector3 startUpVector{0.0f, 1.0f, 0.0f};
    InputDevices input; // initialised by StartUp, polled by MainLoop, read by FrameStep
    Octree octree;      // the level's partition: built by StartUp, drawn and queried by RenderFrame
    Frustum frustum{};  // rebuilt by MainLoop before each render pass, read by the octree's drawing

    GLWindow* mainWindow = nullptr; // created by the entry, never deleted; Destroy'd by Escape or close
    bool collided = false;          // written by RenderFrame (the level collision query), read by FrameStep
    bool jumping = false;           // set by FrameStep when a jump starts, cleared by it at the top
    float jumpHeight = 0.0f;        // raised and lowered by RenderFrame; the penguin's height
    float lastTitleTime = 0.0f;     // seconds of the last title refresh; written by UpdateTitle
    unsigned arial48 = 0;           // list bases of the bitmap fonts, written by StartUp
    unsigned arial24 = 0;
    unsigned arial18 = 0;
    unsigned comic48 = 0;
    int leafCount = 0; // leaves of octree, from its build by StartUp
    // GL texture names of the blocks by slot: written by StartUp, read by RenderFrame.
    std::uint32_t blockTextures[kBlockTextureSlots] = {};
    // What the octree did in the frame being made: cleared by RenderFrame as the frame starts, raised
    // by the octree's drawing and collision query, read by the stats, the timedemo and the state dump.
    OctreeStats octreeStats{};

    Options options;               // written by the entry from the command line
    int framesRun = 0;             // frames completed so far; written by MainLoop
    bool screenshotFailed = false; // set by RenderFrame when --screenshot could not be written
    FrameStatsFile stats;          // --stats: opened and written by RenderFrame, closed by the entry
    KeyScript keyScript;           // --keys: loaded by the entry before the window opens, read by Poll
    TraceFile trace;               // --trace: opened and closed by the entry, written by MainLoop
    TimedemoRecorder timedemo;     // --timedemo: armed by the entry, written by MainLoop and RenderFrame
};
