#include "shell/RuleClock.hpp"

#include "shell/FramePacer.hpp"

RuleClock::RuleClock(int rate, std::uint64_t frequency)
    : period(rate > 0 ? frequency / static_cast<std::uint64_t>(rate) : 0), frequency(frequency) {}

std::uint32_t RuleClock::MillisecondsToWait(std::uint64_t now) const {
    return period == 0 || !started ? 0 : MillisecondsUntil(nextDue, now, frequency);
}

int RuleClock::TakeSteps(std::uint64_t now) {
    if (period == 0) {
        return 1;
    }
    if (!started) {
        nextDue = now;
        started = true;
    }
    int steps = 0;
    while (steps < kMaxCatchUp && now >= nextDue) {
        nextDue += period;
        ++steps;
    }
    if (now >= nextDue) {
        // Still behind after the most a drawing may wait for: the rest of the backlog is dropped.
        nextDue = now + period;
    }
    return steps > 0 ? steps : 1;
}
