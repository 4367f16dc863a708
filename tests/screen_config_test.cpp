#include "shell/ScreenConfig.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

bool Parse(const std::string& text, ScreenConfig& config, std::string& problem) {
    return ParseScreenConfig(text.data(), text.size(), config, problem);
}

} // namespace

TEST(ScreenConfig, ReadsTheFourEntriesWhateverWhiteSpaceSeparatesThem) {
    for (const char* text : {
             "Ancho=800\nAlto=600\nBits=32\nFullscreen=0",
             "Ancho=800\r\nAlto=600\r\nBits=32\r\nFullscreen=0\r\n",
             "Ancho=800\n\n\nAlto=600\n  \t\nBits=32\n\nFullscreen=0\n\ntrailing words are ignored",
             "Ancho=800 Alto=600 Bits=32 Fullscreen=0",
             "Ancho=800Alto=600Bits=32Fullscreen=0",
             "Ancho= 800\nAlto=\n600\nBits=\t32\nFullscreen= 0",
             "Ancho=+800\nAlto=+600\nBits=+32\nFullscreen=+0",
         }) {
        ScreenConfig config{};
        std::string problem;
        ASSERT_TRUE(Parse(text, config, problem)) << text << " -> " << problem;
        EXPECT_EQ(config.width, 800) << text;
        EXPECT_EQ(config.height, 600) << text;
        EXPECT_EQ(config.colourBits, 32) << text;
        EXPECT_FALSE(config.fullscreen) << text;
    }
}

TEST(ScreenConfig, SignsAndFullscreenOneAreRead) {
    ScreenConfig config{};
    std::string problem;
    ASSERT_TRUE(Parse("Ancho=+1024\nAlto=768\nBits=+16\nFullscreen=1", config, problem)) << problem;
    EXPECT_EQ(config.width, 1024);
    EXPECT_EQ(config.height, 768);
    EXPECT_EQ(config.colourBits, 16);
    EXPECT_TRUE(config.fullscreen);
    ASSERT_TRUE(Parse("Ancho=1\nAlto=2147483647\nBits=8\nFullscreen=1", config, problem));
    EXPECT_EQ(config.width, 1);
    EXPECT_EQ(config.height, 2147483647);
}

TEST(ScreenConfig, EachMissingEntryIsNamedAndNothingIsWritten) {
    const struct {
        const char* text;
        const char* problem;
    } cases[] = {
        {"", "falta la entrada Ancho="},
        {"\nAncho=800\nAlto=600\nBits=32\nFullscreen=0", "falta la entrada Ancho="},
        {"ancho=800\nAlto=600\nBits=32\nFullscreen=0", "falta la entrada Ancho="},
        {"Ancho=800\nBits=32\nFullscreen=0", "falta la entrada Alto="},
        {"Ancho=800\nAlto=600\nFullscreen=0", "falta la entrada Bits="},
        {"Ancho=800\nAlto=600\nBits=32\n", "falta la entrada Fullscreen="},
        {"Ancho=800\nAlto=600\nBits=32\nFullscreenX=0", "falta la entrada Fullscreen="},
        {"Ancho=\nAlto=600\nBits=32\nFullscreen=0", "la entrada Ancho= no tiene un n\xFAmero"},
        {"Ancho=800\nAlto=600\nBits=x32\nFullscreen=0", "la entrada Bits= no tiene un n\xFAmero"},
        {"Ancho=800\nAlto=600\nBits=32\nFullscreen=-", "la entrada Fullscreen= no tiene un n\xFAmero"},
        {"Ancho=99999999999\nAlto=600\nBits=32\nFullscreen=0", "el valor de Ancho= est\xE1 fuera de rango"},
        {"Ancho=800\nAlto=2147483648\nBits=32\nFullscreen=0", "el valor de Alto= est\xE1 fuera de rango"},
        {"Ancho = 800\nAlto=600\nBits=32\nFullscreen=0",
         "la entrada Ancho= est\xE1 mal escrita: sin espacios antes de ="},
        {"Ancho=800\nAlto\t=600\nBits=32\nFullscreen=0",
         "la entrada Alto= est\xE1 mal escrita: sin espacios antes de ="},
        {"Ancho=0\nAlto=600\nBits=32\nFullscreen=0", "el valor de Ancho= debe ser mayor que 0"},
        {"Ancho=-800\nAlto=600\nBits=32\nFullscreen=0", "el valor de Ancho= debe ser mayor que 0"},
        {"Ancho=800\nAlto=-2147483648\nBits=32\nFullscreen=0", "el valor de Alto= debe ser mayor que 0"},
    };
    for (const auto& c : cases) {
        ScreenConfig config{123, 456, 789, true};
        std::string problem;
        EXPECT_FALSE(Parse(c.text, config, problem)) << c.text;
        EXPECT_EQ(problem, c.problem) << c.text;
        EXPECT_EQ(config.width, 123);
        EXPECT_EQ(config.height, 456);
        EXPECT_EQ(config.colourBits, 789);
        EXPECT_TRUE(config.fullscreen);
    }
}

TEST(ScreenConfig, FullscreenOtherThanZeroOrOneIsRefused) {
    for (const char* value : {"2", "-1", "10", "00000000001"}) {
        const std::string text = std::string("Ancho=800\nAlto=600\nBits=32\nFullscreen=") + value;
        ScreenConfig config{};
        std::string problem;
        const bool accepted = Parse(text, config, problem);
        if (std::strcmp(value, "00000000001") == 0) {
            EXPECT_TRUE(accepted) << "leading zeros still read as 1";
            EXPECT_TRUE(config.fullscreen);
            continue;
        }
        EXPECT_FALSE(accepted) << value;
        EXPECT_EQ(problem, "el valor de Fullscreen= debe ser 0 o 1");
    }
}

TEST(ScreenConfig, ReadsOnlyTheBytesItIsGiven) {
    // The number stops at the end of the given range even when more digits follow in memory.
    const char text[] = "Ancho=800\nAlto=600\nBits=32\nFullscreen=199";
    ScreenConfig config{};
    std::string problem;
    ASSERT_TRUE(ParseScreenConfig(text, std::strlen(text) - 2, config, problem)) << problem;
    EXPECT_TRUE(config.fullscreen);
    EXPECT_FALSE(ParseScreenConfig(nullptr, 10, config, problem));
}

TEST(ScreenConfig, NumbersThatDoNotFitTheirEntryAndImpossibleDepthsAreNamed) {
    const struct {
        std::string text;
        std::string problem;
    } refused[] = {
        {"Ancho=800xyz\nAlto=600\nBits=32\nFullscreen=0",
         "el valor de Ancho= no es un n\xFAmero entero: 800xyz"},
        {"Ancho=800.9\nAlto=600\nBits=32\nFullscreen=0",
         "el valor de Ancho= no es un n\xFAmero entero: 800.9"},
        {std::string("Ancho=800") + '\0' + "\nAlto=600\nBits=32\nFullscreen=0",
         std::string("el valor de Ancho= no es un n\xFAmero entero: 800") + '\0'},
        {"Ancho=800\nAlto=600\nBits=32\nFullscreen=1x",
         "el valor de Fullscreen= no es un n\xFAmero entero: 1x"},
        {"Ancho=800\nAlto=600\nBits=-1\nFullscreen=0", "el valor de Bits= debe ser 8, 15, 16, 24 o 32"},
        {"Ancho=800\nAlto=600\nBits=0\nFullscreen=0", "el valor de Bits= debe ser 8, 15, 16, 24 o 32"},
        {"Ancho=800\nAlto=600\nBits=99\nFullscreen=0", "el valor de Bits= debe ser 8, 15, 16, 24 o 32"},
    };
    for (const auto& row : refused) {
        ScreenConfig config{};
        std::string problem;
        EXPECT_FALSE(Parse(row.text, config, problem)) << row.text;
        EXPECT_EQ(problem, row.problem) << row.text;
    }
    // Notepad's UTF-8 files start with a byte order mark.
    ScreenConfig config{};
    std::string problem;
    ASSERT_TRUE(Parse("\xEF\xBB\xBF"
                      "Ancho=800\nAlto=600\nBits=24\nFullscreen=0",
                      config, problem))
        << problem;
    EXPECT_EQ(config.width, 800);
    EXPECT_EQ(config.colourBits, 24);
}
