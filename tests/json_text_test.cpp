#include "base/Json.hpp"
#include "base/Text.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

TEST(Text, SpanishMessageBytesBecomeUtf8) {
    // The inverted exclamation mark, o-acute and i-acute are single bytes in the stored texts.
    EXPECT_EQ(Cp1252ToUtf8("\xA1No se pudo inicializar DInput!"), "\u00A1No se pudo inicializar DInput!");
    EXPECT_EQ(Cp1252ToUtf8("Modo de visualizaci\xF3n no compatible"),
              "Modo de visualizaci\u00F3n no compatible");
    EXPECT_EQ(Cp1252ToUtf8("podr\xED"
                           "a"),
              "podr\u00EDa");
    EXPECT_EQ(Cp1252ToUtf8("\x80\x81"), "\u20AC\uFFFD");
    // A UTF-8 name quoted in a Spanish message shows as itself; stray bytes stay Windows-1252.
    EXPECT_EQ(MessageTextToUtf8("ning\xFAn: caf\xC3\xA9.bmp \xC3(\xE0\x80\x80"),
              "ning\u00FAn: caf\u00E9.bmp \u00C3(\u00E0\u20AC\u20AC");
    // Quoted input cannot drive a terminal: control bytes are shown, everything else kept.
    EXPECT_EQ(EscapeControlBytes("W\x1b]0;owned\x07\n\x7f\xE9"), "W\\x1b]0;owned\\x07\\x0a\\x7f\xE9");
}

TEST(Json, FloatsReadBackExactlyAndStringsAreEscaped) {
    for (const float value : {0.1f, -40.0f, 60.799942f, 1e-30f, 3.40282347e38f}) {
        std::string out;
        AppendJsonFloat(out, value);
        EXPECT_EQ(std::strtof(out.c_str(), nullptr), value) << out;
    }
    std::string out;
    AppendJsonString(out, "a\"b\\c\n\xF3");
    EXPECT_EQ(out, "\"a\\\"b\\\\c\\u000a\u00F3\"");
}
