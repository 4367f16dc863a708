#include "shell/TimedemoPath.hpp"

#include <cstring>

// Frames are counted from 0; W moves the camera 12.9 units a frame along its line of sight from the
// start pose, the arrows turn it 0.1 radians a frame about the penguin.
const char* const kTimedemoPath = "# the nave\n"
                                  "0 39 W\n"
                                  "40 102 LEFT\n"
                                  "103 165 RIGHT\n"
                                  "# down the nave to the switch\n"
                                  "166 220 W\n"
                                  "221 225 F\n"
                                  "# wait for the second door, looking round\n"
                                  "226 351 LEFT\n"
                                  "# the room beyond\n"
                                  "352 380 W\n"
                                  "381 999 RIGHT\n";

bool ParseTimedemoPath(KeyScript& script) {
    KeyScriptError error;
    return ParseKeyScript(kTimedemoPath, std::strlen(kTimedemoPath), script, error);
}

std::uint32_t ScriptFrames(const KeyScript& script) {
    std::uint32_t frames = 1;
    for (const KeySpan& span : script.spans) {
        if (span.last + 1 > frames) {
            frames = span.last + 1;
        }
    }
    return frames;
}
