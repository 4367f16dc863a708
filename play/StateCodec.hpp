#pragma once

#include "play/Player.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

// The simulation state as bytes, for a network peer that joins a game under way or checks it is in
// step: version 1, little-endian, every float as its 32-bit pattern. Layout: the version byte, the
// frame (u32), a byte with bit s set for each present slot s; then, for each present slot in order,
// its camera (position, viewPoint, up, strafe: twelve floats), jumpHeight (float), a flags byte
// (bit 0 jumping, bit 1 collided) and its penguin (three floats); then the first door, the second
// door and the switch, each start, current and target (nine floats), a flags byte (bit 0 moving),
// kind and direction (one byte each). Four players take 383 bytes, well within one UDP datagram.
// The keys of the frame being stepped are not state, nor are the blocks' texture slots (the
// drawing's): neither is written.
constexpr std::uint8_t kStateVersion = 1;

// Appends state's bytes to out (cleared first).
void EncodeState(const SimState& state, std::vector<std::uint8_t>& out);

// Reads bytes written by EncodeState into state, keeping its blocks' texture slots. False, with
// state untouched, for another version, a size that does not match the slots present, a float that
// is not finite, a flag bit, a kind or a direction the game does not know.
bool DecodeState(const std::uint8_t* bytes, std::size_t size, SimState& state);

// A 64-bit hash (FNV-1a) of EncodeState's bytes: the same bits for the same state on every build.
std::uint64_t HashState(const SimState& state);
