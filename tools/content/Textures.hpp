#pragma once

#include "tools/writers/BmpWriter.hpp"

#include <string>
#include <vector>

// The level's and the blocks' pictures, drawn from seeded noise: the same bytes on every run.
// Pictures are drawn top row first and handed to the writer bottom row first, so a picture is
// upright where a surface's t coordinate grows upward.

struct TextureFile {
    std::string name; // the file name under Texturas/, as the materials and the blocks spell it
    writers::BmpImage image;
};

// Every texture the game loads, including both spellings the blocks use for the brick.
std::vector<TextureFile> BuildTextures();

// A value in [0, 1) that depends only on its arguments.
float Hash01(int x, int y, int seed);
