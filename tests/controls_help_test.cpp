#include "input/KeyCodes.hpp"
#include "shell/ControlsHelp.hpp"

#include <gtest/gtest.h>

// Holding F1 flips the help once; only a new press flips it back. Other keys never touch it.
TEST(ControlsHelp, EachPressOfF1FlipsTheHelpOnce) {
    ControlsHelp help;
    std::uint8_t keys[256] = {};
    keys[key::kW] = 0x80;
    const struct {
        bool f1Down;
        bool shown;
    } frames[] = {{false, false}, {true, true},  {true, true},  {false, true},
                  {true, false},  {true, false}, {false, false}};
    for (const auto& frame : frames) {
        keys[key::kF1] = frame.f1Down ? 0x80 : 0;
        help.Follow(keys);
        EXPECT_EQ(help.shown, frame.shown);
    }
}
