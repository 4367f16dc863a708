#pragma once

// What the random walks of the rules' tests share: the keys a player at random holds, and the watch
// for a penguin that its keys cannot move.

#include "input/KeyMask.hpp"

#include <cstddef>
#include <cstdint>

namespace testing_tools {

// Walks, side-steps, turns while walking, jumps and F (or the caller's own list of masks), drawn
// from a seed: the same sequence for the same seed on every build.
class RandomKeys {
  public:
    explicit RandomKeys(std::uint32_t seed) : RandomKeys(seed, kWalks) {}
    template <std::size_t N>
    RandomKeys(std::uint32_t seed, const KeyMask (&choices)[N]) : seed_(seed), choices_(choices), count_(N) {}

    KeyMask Next() {
        seed_ = seed_ * 1664525u + 1013904223u;
        return choices_[(seed_ >> 16) % count_];
    }

  private:
    static constexpr KeyMask kWalks[] = {keybit::kW,
                                         keybit::kS,
                                         keybit::kA,
                                         keybit::kD,
                                         keybit::kW | keybit::kLeft,
                                         keybit::kS | keybit::kRight,
                                         keybit::kW | keybit::kSpace,
                                         keybit::kF};
    std::uint32_t seed_;
    const KeyMask* choices_;
    std::size_t count_;
};

// Watches one penguin frame by frame: it is held when it has not moved for more than 60 frames while
// its keys tried both ways along an axis (W and S, or A and D).
class StuckWatch {
  public:
    // After a frame in which the penguin moved or not with keys held; true when it is held.
    bool Held(bool moved, KeyMask keys) {
        stillFor_ = moved ? 0 : stillFor_ + 1;
        tried_ = moved ? 0 : static_cast<KeyMask>(tried_ | keys);
        return stillFor_ > 60 &&
               (Holds(tried_, keybit::kW | keybit::kS) || Holds(tried_, keybit::kA | keybit::kD));
    }
    KeyMask Tried() const { return tried_; }

  private:
    int stillFor_ = 0;
    KeyMask tried_ = 0;
};

} // namespace testing_tools
