#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The game's icon: the penguin of BuildPenguin, seen from the front and a little to its right,
// shaded by one light, on a transparent ground. Drawn in software (no GL), the same pixels on every
// run.

// The icon as size x size RGBA pixels, rows from the top. size from 16 to 1024.
std::vector<std::uint8_t> RenderIcon(int size);

// Writes RenderIcon(size) to path as a PNG. False, after a line on stderr, when it cannot.
bool WriteIcon(const std::string& path, int size);
