#include "tools/content/Icon.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

// The penguin fills the icon's height within its margins, on a transparent ground, with its black
// coat, white belly and orange beak and feet all showing; the same pixels every time.
TEST(ContentIcon, ThePenguinStandsOnATransparentGround) {
    for (int size : {48, 128}) {
        const std::vector<std::uint8_t> pixels = RenderIcon(size);
        ASSERT_EQ(pixels.size(), static_cast<std::size_t>(size * size * 4));
        EXPECT_EQ(pixels, RenderIcon(size));
        int top = size, bottom = -1, black = 0, white = 0, orange = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * size + x) * 4];
                if (p[3] == 0) {
                    continue;
                }
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                if (p[3] < 255) {
                    continue;
                }
                black += p[0] < 60 && p[1] < 60 && p[2] < 60;
                white += p[0] > 180 && p[1] > 180 && p[2] > 180;
                orange += p[0] > 150 && p[1] > 60 && p[1] < 160 && p[2] < 60;
            }
        }
        EXPECT_TRUE(top > 0 && bottom < size - 1) << "the margins hold, " << size;
        EXPECT_GE(bottom - top + 1, size * 8 / 10) << size;
        EXPECT_EQ(pixels[3], 0) << "the top left corner is transparent";
        EXPECT_GT(black, size * size / 20) << size;
        EXPECT_GT(white, size * size / 40) << size;
        EXPECT_GT(orange, 0) << size;
    }
}
