#pragma once

// Runs frames whenever no event is waiting, until the quit request; returns the quit code.
int MainLoop();

// True while the frame that ends the run of --frames is being made.
bool IsLastFrame();
