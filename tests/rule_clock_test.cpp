#include "shell/RuleClock.hpp"

#include <gtest/gtest.h>

// A counter of 1000 ticks a second: one tick is a millisecond. Steps fall due every 20 ms; a late
// drawing is followed by the steps due meanwhile, at most kMaxCatchUp, and a longer stall drops the
// rest rather than hurrying through it.
TEST(RuleClock, LateDrawingsCatchUpBoundedAndStallsDropTheBacklog) {
    RuleClock clock(50, 1000);
    EXPECT_EQ(clock.MillisecondsToWait(5000), 0u);
    EXPECT_EQ(clock.TakeSteps(5000), 1);
    EXPECT_EQ(clock.MillisecondsToWait(5001), 19u);
    EXPECT_EQ(clock.TakeSteps(5020), 1);
    EXPECT_EQ(clock.TakeSteps(5095), 3); // due at 5040, 5060 and 5080
    EXPECT_EQ(clock.MillisecondsToWait(5095), 5u);
    EXPECT_EQ(clock.TakeSteps(7000), RuleClock::kMaxCatchUp);
    EXPECT_EQ(clock.MillisecondsToWait(7000), 20u); // the backlog of the stall is gone
    RuleClock unpaced(0, 1000);
    EXPECT_EQ(unpaced.TakeSteps(1), 1);
    EXPECT_EQ(unpaced.MillisecondsToWait(1), 0u);
}
