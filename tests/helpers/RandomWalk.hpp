#pragma once

// What the random walks of the rules' tests share: the keys a player at random holds, and the watch
// for a penguin that its keys cannot move.

#include "input/KeyMask.hpp"

#include <cstdint>

namespace testing_tools {

// Walks, side-steps, turns while walking, jumps and F, drawn from a seed: the same sequence for the
// same seed on every build.
class RandomKeys {
  public:
    explicit RandomKeys(std::uint32_t seed) : seed_(seed) {}

    KeyMask Next() {
        static const KeyMask choices[] = {keybit::kW,
                                          keybit::kS,
                                          keybit::kA,
                                          keybit::kD,
                                          keybit::kW | keybit::kLeft,
                                          keybit::kS | keybit::kRight,
                                          keybit::kW | keybit::kSpace,
                                          keybit::kF};
        seed_ = seed_ * 1664525u + 1013904223u;
        return choices[(seed_ >> 16) % (sizeof choices / sizeof choices[0])];
    }

  private:
    std::uint32_t seed_;
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
