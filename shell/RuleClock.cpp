#include "shell/RuleClock.hpp"

RuleClock::RuleClock(int rate, std::uint64_t frequency)
    : period(rate > 0 ? frequency / static_cast<std::uint64_t>(rate) : 0), frequency(frequency) {}

std::uint32_t RuleClock::MillisecondsToWait(std::uint64_t now) const {
    if (period == 0 || !started || now >= nextDue) {
        return 0;
    }
    const std::uint64_t ticks = nextDue - now;
    return static_cast<std::uint32_t>((ticks * 1000u + frequency - 1) / frequency);
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
