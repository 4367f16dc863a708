#include "diag/TimedemoPath.hpp"

#include <cstring>

// Frames count from 0. From the start pose W moves the camera and the penguin 12.9 units a frame
// along -z and S as far back; an arrow turns the camera 0.1 radians a frame about the penguin, so 63
// frames make a full look round (LEFT and RIGHT alternate so that the heading comes back). The
// penguin stays in the free aisle (x about 0) and its sphere clear of pews, stalls and altar. The way
// back retraces the way out with S, so the path (658 frames) ends about where it began, facing as it
// began, and a longer run repeats it.
const char* const kTimedemoPath =
    "# the nave: walk in, look round, walk on to the screen\n"
    "0 14 W\n"
    "15 77 LEFT\n"
    "78 92 W\n"
    "93 155 RIGHT\n"
    "# through the archway into the choir\n"
    "156 170 W\n"
    "171 233 LEFT\n"
    "# on to the switch (z about -829) and press it\n"
    "234 252 W\n"
    "253 256 F\n"
    "# the second door rises about 100 units in 126 frames: look round meanwhile\n"
    "257 319 RIGHT\n"
    "320 382 LEFT\n"
    "# the room beyond: through the doorway to the altar steps\n"
    "383 393 W\n"
    "394 456 RIGHT\n"
    "# back out, facing the altar, the way we came\n"
    "457 486 S\n"
    "487 549 LEFT\n"
    "550 579 S\n"
    "580 642 RIGHT\n"
    "643 657 S\n";

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
