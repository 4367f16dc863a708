#include "net/LocalKeys.hpp"

namespace net {

void LocalKeys::start(std::uint32_t joinFrame, int delay) {
    for (int i = 0; i < delay; ++i) {
        keys_[(joinFrame + static_cast<std::uint32_t>(i)) % keys_.size()] = 0;
    }
    last_ = joinFrame + static_cast<std::uint32_t>(delay) - 1;
}

void LocalKeys::submit(std::uint32_t runFrame, int delay, std::uint16_t mask) {
    std::uint32_t target = runFrame + static_cast<std::uint32_t>(delay);
    while (last_ != kNoFrame && static_cast<std::int32_t>(target - last_) > 0) {
        ++last_;
        keys_[last_ % keys_.size()] = mask;
    }
}

} // namespace net
