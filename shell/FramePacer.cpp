#include "shell/FramePacer.hpp"

std::uint32_t MillisecondsUntil(std::uint64_t due, std::uint64_t now, std::uint64_t frequency) {
    if (now >= due) {
        return 0;
    }
    return static_cast<std::uint32_t>(((due - now) * 1000u + frequency - 1) / frequency);
}

FramePacer::FramePacer(int rate, std::uint64_t frequency)
    : period(rate > 0 ? frequency / static_cast<std::uint64_t>(rate) : 0), frequency(frequency) {}

std::uint32_t FramePacer::MillisecondsToWait(std::uint64_t now) const {
    return period == 0 || !started ? 0 : MillisecondsUntil(nextDue, now, frequency);
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
