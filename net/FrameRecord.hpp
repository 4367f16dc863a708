#pragma once

// What a session hands the game for each frame it may run.

#include "net/Protocol.hpp"

#include <cstddef>
#include <cstdint>

namespace net {

struct FrameRecord {
    std::uint32_t frame = 0;
    // Who is present, who enters at this frame, the input delay, every present slot's keys.
    FrameKeys keys;
    // Slots present in the frame before and gone from this one.
    std::uint8_t left = 0;
    // On a client: the state to load before running this frame (it joins here, or was found out of
    // step), else null. Valid until the next call into the session.
    const std::uint8_t* snapshot = nullptr;
    std::size_t snapshotSize = 0;
    // On the host: the game must hand the state at the start of this frame to provideSnapshot()
    // before running it (someone joins here or gets the host's state).
    bool snapshotWanted = false;
};

} // namespace net
