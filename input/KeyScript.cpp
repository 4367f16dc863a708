#include "input/KeyScript.hpp"

#include "input/KeyCodes.hpp"
#include "platform/Platform.hpp"

#include <cstdio>
#include <cstring>

namespace {

struct ScriptKey {
    const char* name;
    std::uint8_t code; // the keyboard snapshot's key code
};

// Bit i of KeySpan::keys stands for kScriptKeys[i].
constexpr ScriptKey kScriptKeys[] = {{"W", key::kW},         {"A", key::kA},       {"S", key::kS},
                                     {"D", key::kD},         {"LEFT", key::kLeft}, {"RIGHT", key::kRight},
                                     {"SPACE", key::kSpace}, {"F", key::kF},       {"ESCAPE", key::kEscape},
                                     {"UP", key::kUp},       {"DOWN", key::kDown}, {"F1", key::kF1}};
constexpr int kScriptKeyCount = sizeof kScriptKeys / sizeof kScriptKeys[0];

// A bounded cursor over one line of the script (the bytes before its newline).
struct LineCursor {
    const char* at;
    const char* end;

    bool AtEnd() const { return at == end; }
    void SkipBlanks() {
        while (at != end && (*at == ' ' || *at == '\t' || *at == '\r')) {
            ++at;
        }
    }
    // The next run of bytes up to a blank or the end; empty at the end of the line.
    std::string Word() {
        const char* start = at;
        while (at != end && *at != ' ' && *at != '\t' && *at != '\r') {
            ++at;
        }
        return std::string(start, at);
    }
};

bool ParseFrame(const std::string& word, const char* which, std::uint32_t& frame, std::string& what) {
    if (word.empty()) {
        what = std::string("missing ") + which + " frame";
        return false;
    }
    std::uint64_t value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') {
            what = std::string(which) + " frame \"" + word + "\" is not a frame number";
            return false;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > kMaxScriptFrame) {
            what = std::string(which) + " frame \"" + word + "\" is too large";
            return false;
        }
    }
    frame = static_cast<std::uint32_t>(value);
    return true;
}

bool ParseKeys(const std::string& word, std::uint32_t& keys, std::string& what) {
    if (word.empty()) {
        what = "missing keys";
        return false;
    }
    keys = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t plus = word.find('+', start);
        const std::string name =
            word.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        int index = 0;
        while (index < kScriptKeyCount && name != kScriptKeys[index].name) {
            ++index;
        }
        if (index == kScriptKeyCount) {
            what = name.empty() ? "empty key name in \"" + word + "\""
                                : "unknown key \"" + name +
                                      "\" (keys are W A S D LEFT RIGHT SPACE F ESCAPE UP DOWN F1)";
            return false;
        }
        keys |= 1u << index;
        if (plus == std::string::npos) {
            return true;
        }
        start = plus + 1;
    }
}

// Parses one line without its newline. A blank or comment-only line gives true with hasSpan false.
bool ParseLine(const char* begin, const char* end, KeySpan& span, bool& hasSpan, std::string& what) {
    const char* comment =
        static_cast<const char*>(std::memchr(begin, '#', static_cast<std::size_t>(end - begin)));
    LineCursor cursor{begin, comment != nullptr ? comment : end};
    hasSpan = false;
    cursor.SkipBlanks();
    if (cursor.AtEnd()) {
        return true;
    }
    const std::string first = cursor.Word();
    cursor.SkipBlanks();
    const std::string last = cursor.Word();
    cursor.SkipBlanks();
    const std::string keys = cursor.Word();
    cursor.SkipBlanks();
    if (!ParseFrame(first, "first", span.first, what) || !ParseFrame(last, "last", span.last, what) ||
        !ParseKeys(keys, span.keys, what)) {
        return false;
    }
    if (span.last < span.first) {
        what = "last frame " + last + " comes before first frame " + first;
        return false;
    }
    if (!cursor.AtEnd()) {
        what = "unexpected \"" + cursor.Word() + "\" after the keys";
        return false;
    }
    hasSpan = true;
    return true;
}

} // namespace

void KeyScript::HoldKeys(std::uint32_t frame, std::uint8_t* keys) const {
    for (const KeySpan& span : spans) {
        if (frame < span.first || frame > span.last) {
            continue;
        }
        for (int index = 0; index < kScriptKeyCount; ++index) {
            if ((span.keys >> index) & 1u) {
                keys[kScriptKeys[index].code] |= 0x80;
            }
        }
    }
}

bool ParseKeyScript(const char* bytes, std::size_t size, KeyScript& script, KeyScriptError& error) {
    script.spans.clear();
    error = KeyScriptError();
    if (size > kMaxKeyScriptBytes) {
        error.what = "the script is larger than " + std::to_string(kMaxKeyScriptBytes) + " bytes";
        return false;
    }
    const char* at = bytes;
    const char* end = bytes + size;
    int line = 0;
    while (at != end) {
        ++line;
        const char* newline =
            static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        const char* lineEnd = newline != nullptr ? newline : end;
        KeySpan span{};
        bool hasSpan = false;
        std::string what;
        if (std::memchr(at, '\0', static_cast<std::size_t>(lineEnd - at)) != nullptr) {
            what = "a NUL byte in the line";
        } else if (ParseLine(at, lineEnd, span, hasSpan, what) && hasSpan &&
                   script.spans.size() == kMaxKeySpans) {
            what = "more than " + std::to_string(kMaxKeySpans) + " spans";
        }
        if (!what.empty()) {
            script.spans.clear();
            error.line = line;
            error.what = what;
            return false;
        }
        if (hasSpan) {
            script.spans.push_back(span);
        }
        at = newline != nullptr ? newline + 1 : end;
    }
    return true;
}

bool LoadKeyScript(const char* path, KeyScript& script, KeyScriptError& error) {
    std::string text;
    bool parsed = false;
    std::FILE* file = platform::OpenRegularFile(path);
    if (file == nullptr) {
        error.what = "cannot be opened";
    } else {
        // One byte more than the limit, so an oversized file is seen as such by the parser.
        text.resize(kMaxKeyScriptBytes + 1);
        const std::size_t size = std::fread(&text[0], 1, text.size(), file);
        const bool readFailed = std::ferror(file) != 0;
        std::fclose(file);
        if (readFailed) {
            error.what = "cannot be read";
        } else {
            parsed = ParseKeyScript(text.data(), size, script, error);
        }
    }
    return parsed;
}
