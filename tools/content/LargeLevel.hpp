#pragma once

#include "tools/content/Mesh.hpp"

// A level for benchmarks only: the church with copies of it stacked above, each kStoreyHeight higher,
// so that the start and the timedemo's path lie in the first church as in the game's own level.
// From inside the first church the copies lie above the top of the view (it reaches about 9.5
// degrees above the horizon, and the nearest copy is over 17 degrees up), so they cost a frame only
// what drawing geometry outside the view costs: where culling pays. With kLargeCopies churches it has
// well over 150,000 triangles once cut to its octree's cubes.
inline constexpr int kLargeCopies = 40;
inline constexpr float kStoreyHeight = 400.0f; // the church is 350 from its floor to the roof's ridge

void BuildLargeLevel(Scene& scene);
