#pragma once

struct World;

// The start-up sequence once world's window exists: fonts, the loading message, input, camera,
// scene assets, octree, light. Tests no result and always runs to its end.
void StartUp(World& world);
