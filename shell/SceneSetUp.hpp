#pragma once

struct World;

// Start-up steps that prepare world's scene once the GL context exists.

// The penguin's and the level's material textures, then each door's and the switch's texture,
// then their places, kinds and directions. Writes the models' textures, the three blocks and
// blockTextures; a missing texture file ends the program.
void LoadSceneAssets(World& world);

// Partitions the level model into the octree and compiles one display list per leaf from one
// block of list names. Writes octree and leafCount.
void BuildLevelOctree(World& world);
