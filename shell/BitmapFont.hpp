#pragma once

#include "platform/Platform.hpp"

// A bitmap font is a GL list base: the first of 96 consecutive display lists, one per character
// code 32 to 127, each drawing its glyph at the raster position and advancing it. 0 is no font.

// Reserves 96 lists into *listBase before anything can fail, then fills them with the bold glyphs
// of the closest installed match of face at height pixels (the character cell). Returns non-zero
// on success, 0 when no face could be had (the lists stay reserved and empty). Needs a current GL
// context; shows no message.
int BuildFont(const char* face, int height, platform::Window* window, unsigned* listBase);

// Draws text (codes 32 to 127) with the font's lists from the current raster position. Does
// nothing for list base 0 or a null text.
void PrintText(unsigned listBase, const char* text);
