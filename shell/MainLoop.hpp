#pragma once

struct World;

// Runs frames of world whenever no event is waiting, until the quit request; returns the quit code.
// A frame reads: poll, rules, draw, report. In interactive play the rules step at the rate of
// --fps, several before a drawing when drawing falls behind; replays, --frames runs and timedemos
// make one rule step per drawn frame.
int MainLoop(World& world);

// True while the drawing of the frame that ends the run of --frames is being made.
bool IsLastFrame(const World& world);
