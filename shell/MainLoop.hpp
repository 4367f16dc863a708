#pragma once

struct World;

// Runs frames of world whenever no event is waiting, until the quit request; returns the quit code.
int MainLoop(World& world);

// True while the frame that ends the run of --frames is being made.
bool IsLastFrame(const World& world);
