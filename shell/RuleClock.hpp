#pragma once

#include <cstdint>

// Paces the rules of interactive play: rule steps fall due at a fixed rate, and drawing follows as
// often as the machine manages. When drawing falls behind, the steps that came due meanwhile run
// before the next drawing, so the penguin keeps its speed on a slow machine; at most kMaxCatchUp of
// them, so a stalled machine does not spiral. Works on the values of the performance counter handed
// in; sleeps and reads no clock itself.
class RuleClock {
  public:
    static constexpr int kMaxCatchUp = 8;

    // rate steps a second (0: one step per drawing, as fast as it goes) on a counter that counts
    // frequency a second.
    RuleClock(int rate, std::uint64_t frequency);

    // Milliseconds to wait at counter value now before the next step is due, rounded up; always 0
    // with rate 0.
    std::uint32_t MillisecondsToWait(std::uint64_t now) const;

    // The steps due at now, from 1 to kMaxCatchUp (1 with rate 0, and the first time), taken: the
    // next falls due one period after the last of them. A backlog beyond kMaxCatchUp is dropped.
    int TakeSteps(std::uint64_t now);

  private:
    std::uint64_t period; // counter ticks between steps; 0 with rate 0
    std::uint64_t frequency;
    std::uint64_t nextDue = 0; // counter value at which the next step falls due
    bool started = false;
};
