#pragma once

// Draws one frame and presents it.
void RenderFrame();
