#include "shell/PlayerName.hpp"

#include <gtest/gtest.h>

TEST(PlayerName, LettersOfWindows1252UpToSixteen) {
    std::string name;
    std::string problem;
    EXPECT_TRUE(ReadPlayerName("Ana", name, problem));
    EXPECT_EQ(name, "Ana");
    // UTF-8 from a Linux command line becomes the code page's bytes; the code page's own stay.
    EXPECT_TRUE(ReadPlayerName("\xC3\x8D\xC3\xB1igo", name, problem));
    EXPECT_EQ(name, "\xCD\xF1igo");
    EXPECT_TRUE(ReadPlayerName("\xCD\xF1igo", name, problem));
    EXPECT_EQ(name, "\xCD\xF1igo");
    EXPECT_TRUE(ReadPlayerName("Abcdefghijklmnop", name, problem));
    for (const char* refused : {"", "Abcdefghijklmnopq", "Ana2", "Ana Luisa",
                                "a\xD7"
                                "b",
                                "\xE2\x82\xAC"}) {
        EXPECT_FALSE(ReadPlayerName(refused, name, problem)) << refused;
    }
    EXPECT_FALSE(DefaultPlayerName().empty());
    EXPECT_LE(DefaultPlayerName().size(), 16u);
}
