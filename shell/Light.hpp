#pragma once

// Sets up the game's one light, GL_LIGHT0: white diffuse, half-grey ambient, no specular, directional
// from (1, 2, 2) in the coordinates of the modelview matrix current at the call; then enables it,
// lighting and colour material. Needs a current GL context.
void SetUpLight();
