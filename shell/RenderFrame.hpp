#pragma once

struct World;

// Draws one frame of world as the rules left it and presents it: the frustum rebuilt from the
// matrices of the frame before (so culling lags the view by one frame), the view of the viewed
// slot's camera from its drawn eye (shell/DrawnView.hpp), which this follows, the level culled by that
// frustum, every present player's penguin facing where its camera looks on the ground plane, the switch and
// the second door, with more than one player each player's name above its penguin, then the
// screenshot of the last --frames frame and the swap. Moves nothing of the rules; writes world's drawn eye
// and raises its octree counts.
void RenderFrame(World& world);
