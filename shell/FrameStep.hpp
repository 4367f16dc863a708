#pragma once

// Turns this frame's keyboard snapshot into play. Works on the process-wide objects only.
void FrameStep();
