#include "input/KeyScript.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

bool Parse(const std::string& text, KeyScript& script, KeyScriptError& error) {
    return ParseKeyScript(text.data(), text.size(), script, error);
}

// Key codes held at frame, as a string of "code " entries.
std::string Held(const KeyScript& script, std::uint32_t frame) {
    std::uint8_t keys[256] = {};
    script.HoldKeys(frame, keys);
    std::string held;
    for (int code = 0; code < 256; ++code) {
        if (keys[code] != 0) {
            EXPECT_EQ(keys[code], 0x80);
            held += std::to_string(code) + " ";
        }
    }
    return held;
}

} // namespace

TEST(KeyScript, SpansHoldTheirKeysFromFirstToLastFrameIncluded) {
    KeyScript script;
    KeyScriptError error;
    ASSERT_TRUE(Parse("# walk, then turn\n"
                      "\n"
                      "0 9 W\n"
                      "  5\t12   LEFT+RIGHT   # both arrows\r\n"
                      "12 12 SPACE+F+ESCAPE+A+S+D\n"
                      "20 20 W",
                      script, error))
        << error.line << ": " << error.what;
    ASSERT_EQ(script.spans.size(), 4u);
    EXPECT_EQ(Held(script, 0), "17 ");
    EXPECT_EQ(Held(script, 4), "17 ");
    EXPECT_EQ(Held(script, 5), "17 203 205 ");
    EXPECT_EQ(Held(script, 9), "17 203 205 ");
    EXPECT_EQ(Held(script, 10), "203 205 ");
    EXPECT_EQ(Held(script, 12), "1 30 31 32 33 57 203 205 ");
    EXPECT_EQ(Held(script, 13), "");
    EXPECT_EQ(Held(script, 20), "17 ");
    EXPECT_EQ(Held(script, 4000000000u), "");
}

TEST(KeyScript, EmptyAndCommentOnlyScriptsHoldNothing) {
    KeyScript script;
    KeyScriptError error;
    EXPECT_TRUE(Parse("", script, error));
    EXPECT_TRUE(Parse("\n\n   \n# nothing\n", script, error));
    EXPECT_TRUE(script.spans.empty());
    EXPECT_TRUE(Parse("2147483647 2147483647 F", script, error));
}

TEST(KeyScript, MalformedLinesAreRefusedWithTheirLineAndReason) {
    const struct {
        const char* text;
        int line;
        const char* what;
    } cases[] = {
        {"0 9 W\n1 2 Q\n", 2, "unknown key \"Q\""},
        {"0 9 w\n", 1, "unknown key \"w\""},
        {"0 9\n", 1, "missing keys"},
        {"0\n", 1, "missing last frame"},
        {"\n\n-1 3 W\n", 3, "first frame \"-1\" is not a frame number"},
        {"0 x W\n", 1, "last frame \"x\" is not a frame number"},
        {"9 3 W\n", 1, "last frame 3 comes before first frame 9"},
        {"0 3 W+\n", 1, "empty key name"},
        {"0 3 W++A\n", 1, "empty key name"},
        {"0 3 W A\n", 1, "unexpected \"A\" after the keys"},
        {"0 2147483648 W\n", 1, "last frame \"2147483648\" is too large"},
        {"0 99999999999999999999999 W\n", 1, "too large"},
        {"0 3 W\n1 2 W\0\n", 2, "NUL"},
    };
    for (const auto& c : cases) {
        KeyScript script;
        KeyScriptError error;
        const std::string text(c.text, c.text + std::strlen(c.text) + (std::strstr(c.what, "NUL") ? 2 : 0));
        EXPECT_FALSE(Parse(text, script, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_NE(error.what.find(c.what), std::string::npos) << c.text << " -> " << error.what;
        EXPECT_TRUE(script.spans.empty());
    }
}

TEST(KeyScript, SizeAndSpanCountAreBounded) {
    KeyScript script;
    KeyScriptError error;
    std::string many;
    for (std::size_t i = 0; i <= kMaxKeySpans; ++i) {
        many += "0 1 W\n";
    }
    EXPECT_FALSE(Parse(many, script, error));
    EXPECT_EQ(error.line, static_cast<int>(kMaxKeySpans) + 1);
    EXPECT_FALSE(Parse(std::string(kMaxKeyScriptBytes + 1, '\n'), script, error));
    EXPECT_TRUE(Parse(std::string(kMaxKeyScriptBytes, '\n'), script, error));
}

TEST(KeyScript, LoadSaysWhichLineIsWrongAndWhy) {
    const std::string path = testing::TempDir() + "key_script_test.txt";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("0 3 W\n4 5 JUMP\n", file);
    std::fclose(file);

    KeyScript script;
    KeyScriptError error;
    EXPECT_FALSE(LoadKeyScript(path.c_str(), script, error));
    EXPECT_EQ(error.line, 2);
    EXPECT_EQ(error.what.rfind("unknown key \"JUMP\"", 0), 0u) << error.what;

    error = KeyScriptError{};
    EXPECT_FALSE(LoadKeyScript((path + ".missing").c_str(), script, error));
    EXPECT_EQ(error.line, 0);
    EXPECT_EQ(error.what, "cannot be opened");

    file = std::fopen(path.c_str(), "wb");
    std::fputs("0 3 W+D\n", file);
    std::fclose(file);
    EXPECT_TRUE(LoadKeyScript(path.c_str(), script, error));
    EXPECT_EQ(script.spans.size(), 1u);
    std::remove(path.c_str());
}

TEST(KeyScript, MangledScriptsAreParsedOrRefusedWithoutHarm) {
    const std::string seed = "0 9 W\n# turn\n5 12 LEFT+RIGHT\r\n12 4000 SPACE+F+ESCAPE\n\t7 7 A+S+D\n";
    const char alphabet[] = "0123456789 \t\r\n#+WASDLEFTRIGHTSPACEFESCAPE\0\xff-";
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text = seed;
        const int edits = 1 + static_cast<int>(random() % 6);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % (text.size() + 1);
            const char c = alphabet[random() % (sizeof alphabet - 1)];
            switch (random() % 3) {
            case 0:
                text.insert(at, 1, c);
                break;
            case 1:
                if (at < text.size()) {
                    text.erase(at, 1);
                }
                break;
            default:
                if (at < text.size()) {
                    text[at] = c;
                }
            }
        }
        KeyScript script;
        KeyScriptError error;
        if (Parse(text, script, error)) {
            EXPECT_EQ(error.line, 0);
            for (const KeySpan& span : script.spans) {
                EXPECT_LE(span.first, span.last);
                EXPECT_NE(span.keys, 0u);
            }
        } else {
            EXPECT_GE(error.line, 1);
            EXPECT_FALSE(error.what.empty());
            EXPECT_TRUE(script.spans.empty());
        }
    }
}
