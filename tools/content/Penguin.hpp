#pragma once

#include "tools/content/Mesh.hpp"

// The player's figure in model space: it is drawn translated to (view point x, jump height, view
// point z), so its feet stand at y = -40 (the floor) and its head is around y = 0, the centre of
// its collision sphere. It faces -z, the way the camera looks at the start.
void BuildPenguin(Scene& scene);
