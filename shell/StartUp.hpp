#pragma once

struct World;

// The start-up sequence once world's window exists: fonts, the loading message, input, scene
// assets, octree, the players' start spots, light. Runs to its end unless a stop signal came (true:
// the main loop then takes it as a close request) or a texture or the memory for the level could
// not be had (false after its message: the caller releases the window and ends with code 1).
// Ends nothing itself.
bool StartUp(World& world);
