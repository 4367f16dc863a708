#pragma once

struct World;

// Where a frame meets the measuring hooks of diag/: the one place each is called, around the
// frame's parts (poll, rules, draw). Each does nothing unless its option asked for it.

// Before the poll: the timedemo starts timing the frame.
void BeforeFrame(World& world);

// Between the rules and the drawing: the frame's CPU work (poll and rules) ends.
void AfterRules(World& world);

// After a rule step that no drawing follows (interactive play catching up): its --trace line.
void AfterUndrawnStep(World& world);

// After the drawing: the timedemo's frame time and counts, the --stats line and the --trace line.
void AfterDrawing(World& world);
