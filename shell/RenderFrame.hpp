#pragma once

struct World;

// Draws one frame of world and presents it.
void RenderFrame(World& world);
