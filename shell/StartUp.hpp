#pragma once

struct World;

// The start-up sequence once world's window exists: fonts, the loading message, input, scene
// assets, octree, the players' start spots, light. Tests no result and runs to its end unless a stop signal
// came, which the main loop then takes as a close request.
void StartUp(World& world);
