#pragma once

// Start-up steps that prepare the scene once the GL context exists.

// S7's blocks: each door and the switch gets its texture, then its place, kind and direction.
// Writes firstDoor, secondDoor, doorSwitch and blockTextures.
void SetUpBlocks();
