#pragma once

struct World;

// Turns this frame's keyboard snapshot into play on world.
void FrameStep(World& world);
