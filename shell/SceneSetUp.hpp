#pragma once

struct World;

// Start-up steps that prepare world's scene once the GL context exists.

// The penguin's and the level's material textures, then each door's and the switch's texture,
// then their places, kinds and directions. Writes the models' textures, the three blocks and
// blockTextures. False after its message when a texture file cannot be opened (the game must end
// with code 1); the textures after it are not loaded.
bool LoadSceneAssets(World& world);

// Partitions the level model into the octree and compiles one display list per leaf from one
// block of list names. Writes octree and leafCount. False after its message when the memory for
// the tree, the list names or a list cannot be had (the game must end with code 1).
bool BuildLevelOctree(World& world);
