#include "shell/FramePacer.hpp"

#include <gtest/gtest.h>

// A counter of 1000 ticks a second: one tick is a millisecond.
TEST(FramePacer, FramesKeepTheirScheduleThroughLateOnesAndStartAfreshFarBehind) {
    FramePacer pacer(50, 1000); // 20 ms a frame
    EXPECT_EQ(pacer.MillisecondsToWait(5000), 0u);
    pacer.FrameStarted(5000);
    EXPECT_EQ(pacer.MillisecondsToWait(5001), 19u);
    EXPECT_EQ(pacer.MillisecondsToWait(5020), 0u);
    pacer.FrameStarted(5023); // a sleep overshot by 3 ms: the next is still due at 5040
    EXPECT_EQ(pacer.MillisecondsToWait(5023), 17u);
    pacer.FrameStarted(5075); // 35 ms late: the next two are due at once, at 5060 and 5080
    EXPECT_EQ(pacer.MillisecondsToWait(5075), 0u);
    pacer.FrameStarted(5076);
    EXPECT_EQ(pacer.MillisecondsToWait(5076), 4u);
    pacer.FrameStarted(5900); // more than a quarter second behind: start afresh
    EXPECT_EQ(pacer.MillisecondsToWait(5900), 20u);
    FramePacer unpaced(0, 1000);
    unpaced.FrameStarted(1);
    EXPECT_EQ(unpaced.MillisecondsToWait(1), 0u);
}
