#pragma once

// The sessions' and the simulated network's random numbers: SplitMix64, the same on every system
// and standard library, so that a seeded run repeats exactly.

#include <cstdint>

namespace net {

// Advances state and returns the next number of its sequence.
inline std::uint64_t SplitMix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace net
