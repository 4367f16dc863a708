#pragma once

// One run of each reader over arbitrary bytes, the way the game uses it, with checks of what the
// reader gives back. Shared by the libFuzzer targets (tests/fuzz) and by the test that replays
// the inputs they once crashed on (tests/fuzz_regressions_test.cpp). A failed check prints what
// failed and aborts, which both the fuzzer and the test runner report as a crash.

#include "input/KeyScript.hpp"
#include "shell/Message.hpp"
#include "shell/ScreenConfig.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzchecks {

inline void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "reader check failed: %s\n", what);
        std::abort();
    }
}

// Messages are expected on damaged input; they are dropped, but each must have a caption and text.
inline void DropMessage(const char* caption, const char* text, MessageIcon) {
    Require(caption != nullptr && text != nullptr, "a message without caption or text");
}

// "scr.txt": a refusal always says why; an accepted file gives a fullscreen flag of 0 or 1.
inline void CheckScreenConfig(const std::uint8_t* data, std::size_t size) {
    ScreenConfig config{-1, -1, -1, false};
    std::string problem;
    if (ParseScreenConfig(reinterpret_cast<const char*>(data), size, config, problem)) {
        Require(problem.empty(), "an accepted screen configuration came with a problem");
    } else {
        Require(!problem.empty(), "a refused screen configuration gave no reason");
        Require(config.width == -1 && config.height == -1 && config.colourBits == -1,
                "a refused screen configuration wrote its result");
    }
}

// Key scripts: a refusal names its line and leaves no spans; an accepted script keeps its spans
// ordered and within the limits, and replaying any frame sets only bit 7 of the snapshot bytes.
inline void CheckKeyScript(const std::uint8_t* data, std::size_t size) {
    KeyScript script;
    KeyScriptError error;
    if (!ParseKeyScript(reinterpret_cast<const char*>(data), size, script, error)) {
        Require(script.spans.empty(), "a refused key script kept spans");
        Require(!error.what.empty(), "a refused key script gave no reason");
        return;
    }
    Require(script.spans.size() <= kMaxKeySpans, "more spans than the limit");
    std::uint8_t keys[256] = {};
    for (const KeySpan& span : script.spans) {
        Require(span.first <= span.last && span.last <= kMaxScriptFrame, "a span out of order");
        Require(span.keys != 0, "a span without keys");
        script.HoldKeys(span.first, keys);
        script.HoldKeys(span.last, keys);
    }
    for (const std::uint8_t key : keys) {
        Require(key == 0 || key == 0x80, "a snapshot byte other than 0 or 0x80");
    }
}

} // namespace fuzzchecks
