#pragma once

#include "tools/content/Mesh.hpp"
#include "tools/writers/Writer3ds.hpp"

#include <string>

// The scene as the 3DS writer takes it: materials in order, one object per part, each naming its
// material in one group.
writers::SceneDescription Describe(const Scene& scene);

// Writes the game's run folder under dir: "scr.txt" (windowed 800 x 600, 32 bits),
// "MODELOS/church.3DS", "MODELOS/pinguino.3DS" and every texture under "Texturas/". Creates the
// folders as needed. With large, "MODELOS/church.3DS" holds the benchmark level of LargeLevel.hpp
// instead of the church. False, after a line on stderr, when something cannot be written.
bool WriteRunFolder(const std::string& dir, bool large = false);
