#pragma once

#include <cstdint>

// One player's keys for one frame, packed in 16 bits: what the rules of play read, and what a
// network peer sends for each frame. Bit order, from bit 0 up: Left, Right, W, S, A, D, Space, F,
// Escape, Up, Down (the arrows, which walk like W and S); the rest are spare and always 0 in a mask
// the game makes.
using KeyMask = std::uint16_t;

struct KeyScript;

namespace keybit {

inline constexpr KeyMask kLeft = 1u << 0;
inline constexpr KeyMask kRight = 1u << 1;
inline constexpr KeyMask kW = 1u << 2;
inline constexpr KeyMask kS = 1u << 3;
inline constexpr KeyMask kA = 1u << 4;
inline constexpr KeyMask kD = 1u << 5;
inline constexpr KeyMask kSpace = 1u << 6;
inline constexpr KeyMask kF = 1u << 7;
inline constexpr KeyMask kEscape = 1u << 8;
inline constexpr KeyMask kUp = 1u << 9;
inline constexpr KeyMask kDown = 1u << 10;

} // namespace keybit

// True when every key of bits is held in mask.
constexpr bool Holds(KeyMask mask, KeyMask bits) {
    return (mask & bits) == bits;
}

// The mask of a 256-byte keyboard snapshot (key codes of input/KeyCodes.hpp, bit 7 = down): the
// eleven keys the game plays with. Allocates nothing.
KeyMask KeyMaskFromSnapshot(const std::uint8_t keys[256]);

// The mask of the keys script holds at frame. Allocates nothing.
KeyMask KeyMaskAt(const KeyScript& script, std::uint32_t frame);
