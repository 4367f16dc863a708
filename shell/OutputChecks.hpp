#pragma once

#include "shell/Options.hpp"

#include <string>
#include <vector>

// What the game reads: the outputs of a run must name none of it.
struct GameInputs {
    std::vector<std::string> files;   // read by path (scr.txt, the models, the key script)
    std::vector<std::string> folders; // every file inside may be read (a texture's name is matched
                                      // in any letter case)
};

// Refuses outputs that would destroy what the run reads or writes: an output naming one of inputs,
// or a regular file (or a file still to be made) that two outputs name, both told by the file's
// identity, so links and other spellings of a path count. Devices such as /dev/null may be named
// by several outputs. False after a report naming the options and the files. Opens nothing for
// writing, so it is safe before anything else runs.
bool OutputsAreSafe(const Options& options, const GameInputs& inputs);
