#pragma once

#include <cstdint>

// Paces interactive play: frames start no more often than a fixed rate, so the penguin's per-frame
// speeds mean the same on every machine and an idle game does not burn a core. Works on the values
// of the performance counter handed in; sleeps and reads no clock itself.
// Milliseconds from counter value now until due on a counter that counts frequency a second,
// rounded up; 0 once due. Shared by the frame pacer and the rule clock.
std::uint32_t MillisecondsUntil(std::uint64_t due, std::uint64_t now, std::uint64_t frequency);

class FramePacer {
  public:
    // rate frames a second (0: unpaced) on a counter that counts frequency a second.
    FramePacer(int rate, std::uint64_t frequency);

    // Milliseconds to wait at counter value now before the next frame may start, rounded up; 0 when
    // it may start now, and always 0 unpaced.
    std::uint32_t MillisecondsToWait(std::uint64_t now) const;

    // Records that a frame starts at now. The next is due one period after this one was due, so
    // sleeps that overshoot and frames that run late now and then (a busy machine) do not lower the
    // average rate: the frames after a late one start without waiting until the schedule is met. A
    // game more than a quarter of a second behind (a stopped window, a machine too slow for the
    // rate) starts afresh from now instead of hurrying through a burst of frames.
    void FrameStarted(std::uint64_t now);

  private:
    std::uint64_t period; // counter ticks between frame starts; 0 unpaced
    std::uint64_t frequency;
    std::uint64_t nextDue = 0; // counter value at which the next frame may start
    bool started = false;
};
