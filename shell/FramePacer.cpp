#include "shell/FramePacer.hpp"

FramePacer::FramePacer(int rate, std::uint64_t frequency)
    : period(rate > 0 ? frequency / static_cast<std::uint64_t>(rate) : 0), frequency(frequency) {}

std::uint32_t FramePacer::MillisecondsToWait(std::uint64_t now) const {
    if (period == 0 || !started || now >= nextDue) {
        return 0;
    }
    const std::uint64_t ticks = nextDue - now;
    return static_cast<std::uint32_t>((ticks * 1000u + frequency - 1) / frequency);
}

void FramePacer::FrameStarted(std::uint64_t now) {
    if (period == 0) {
        return;
    }
    if (!started || now > nextDue + frequency / 4) {
        nextDue = now;
        started = true;
    }
    nextDue += period;
}
