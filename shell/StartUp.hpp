#pragma once

// The start-up sequence after the window exists: fonts, the loading message, input, camera, scene
// assets, octree, light. Tests no result and always runs to its end.
void StartUp();
