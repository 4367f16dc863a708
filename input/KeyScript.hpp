#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A script of held keys for deterministic replays. One line per span, "FIRST LAST KEY[+KEY...]":
// the keys are held from frame FIRST to frame LAST, both included, frames counted from 0. Key names
// are W A S D LEFT RIGHT SPACE F ESCAPE UP DOWN F1; "#" starts a comment; blank lines are allowed; spans may
// overlap (their keys add up).

// One line of a script: keys held over frames first..last. Bit i of keys stands for the i-th key
// name in the order W A S D LEFT RIGHT SPACE F ESCAPE UP DOWN F1.
struct KeySpan {
    std::uint32_t first;
    std::uint32_t last;
    std::uint32_t keys;
};

struct KeyScript {
    std::vector<KeySpan> spans;

    // Sets bit 7 of keys[code] for every key the script holds at frame; leaves the other bytes
    // alone. keys is a 256-byte snapshot indexed by key code. Allocates nothing.
    void HoldKeys(std::uint32_t frame, std::uint8_t* keys) const;
};

// Limits that keep a hostile or mistaken script cheap to read and to replay.
inline constexpr std::size_t kMaxKeyScriptBytes = 1 << 20;
inline constexpr std::size_t kMaxKeySpans = 10000;
inline constexpr std::uint32_t kMaxScriptFrame = 0x7FFFFFFF;

// Why a script was refused: the 1-based line and what is wrong with it.
struct KeyScriptError {
    int line = 0;
    std::string what;
};

// Parses size bytes of script text into script (replacing its spans). On a malformed line returns
// false with error filled and script left empty. Pure: no files, no SDL, no GL.
bool ParseKeyScript(const char* bytes, std::size_t size, KeyScript& script, KeyScriptError& error);

// Reads and parses the script file at path. On failure returns false with error saying what is wrong
// (line 0 when the file as a whole cannot be read); shows nothing.
bool LoadKeyScript(const char* path, KeyScript& script, KeyScriptError& error);
