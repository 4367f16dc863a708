#pragma once

// The keys this machine's player pressed, by the frame they are for. Keys read while running frame
// f are for frame f + D; when the host raises D the frames skipped over get the same keys, and when
// it lowers D a frame already filled keeps its first keys, so every frame gets keys exactly once.

#include "net/Protocol.hpp"

#include <array>
#include <cstdint>

namespace net {

class LocalKeys {
  public:
    // The player enters at frame joinFrame with input delay delay: frames before joinFrame + delay
    // hold no keys (0).
    void start(std::uint32_t joinFrame, int delay);
    // The keys read while running frame runFrame with input delay delay.
    void submit(std::uint32_t runFrame, int delay, std::uint16_t mask);
    // The last frame with keys; kNoFrame before start.
    std::uint32_t last() const { return last_; }
    // The keys of frame, which must lie within the last 256 frames up to last().
    std::uint16_t at(std::uint32_t frame) const { return keys_[frame % keys_.size()]; }

  private:
    std::array<std::uint16_t, 256> keys_{};
    std::uint32_t last_ = kNoFrame;
};

} // namespace net
