#pragma once

// The process-wide objects, declared in their order of construction (defined in shell/World.cpp,
// which belongs to the game's executable only).

#include "geometry/Camera.hpp"
#include "geometry/Frustum.hpp"
#include "geometry/Vector3.hpp"
#include "input/InputDevices.hpp"
#include "model/ModelObject.hpp"
#include "octree/Octree.hpp"
#include "scene/MovingBlock.hpp"
#include "shell/GLWindow.hpp"
#include "shell/Options.hpp"

extern ModelObject penguin;    // its file read at construction; textured by StartUp, drawn by RenderFrame
extern ModelObject level;      // its file read at construction; textured by StartUp, read by the octree
extern MovingBlock firstDoor;  // placed by StartUp, triggered by FrameStep; never drawn
extern MovingBlock secondDoor; // placed by StartUp, triggered by FrameStep, moved by RenderFrame
extern MovingBlock doorSwitch; // placed by StartUp, triggered by FrameStep, moved by RenderFrame
extern Camera camera;          // posed by StartUp, moved by FrameStep, strafe refreshed by MainLoop
extern const Vector3 startPosition;  // (0, 10, 40): the eye at start-up
extern const Vector3 startViewPoint; // (0, 0, -3): where the penguin starts
extern const Vector3 startUpVector;  // (0, 1, 0)
extern InputDevices input;           // initialised by StartUp, polled by MainLoop, read by FrameStep
extern Octree octree;   // the level's partition: built by StartUp, drawn and queried by RenderFrame
extern Frustum frustum; // rebuilt by MainLoop before each render pass, read by the octree's drawing

extern GLWindow* mainWindow; // created by the entry, never deleted; Destroy'd by Escape or close
extern bool collided;        // written by RenderFrame (the level collision query), read by FrameStep
extern bool jumping;         // set by FrameStep when a jump starts, cleared by it at the top
extern float jumpHeight;     // raised and lowered by RenderFrame; the penguin's height
extern float lastTitleTime;  // seconds of the last title refresh; written by UpdateTitle
extern unsigned arial48;     // list bases of the bitmap fonts, written by StartUp
extern unsigned arial24;
extern unsigned arial18;
extern unsigned comic48;

extern Options options;       // written by the entry from the command line
extern int framesRun;         // frames completed so far; written by MainLoop
extern bool screenshotFailed; // set by RenderFrame when --screenshot could not be written
