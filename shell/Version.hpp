#pragma once

// The game's version, as --version prints it: the project's version from the top-level
// CMakeLists.txt, followed by " (git COMMIT)" when it was built from a git checkout (COMMIT ending
// in "+changes" when the checkout had uncommitted changes). The build writes its definition.
extern const char* const kGameVersion;
