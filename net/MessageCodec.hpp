#pragma once

// Encoding and checking of the protocol's datagrams (docs/PROTOCOL.md). Little-endian throughout.
// Neither function allocates, and both do work bounded by the datagram's length.

#include "net/Protocol.hpp"

#include <cstddef>
#include <cstdint>

namespace net {

enum class DecodeResult : std::uint8_t {
    Ok,
    TooShort,     // shorter than the header or than its type needs
    TooLong,      // longer than any datagram of the protocol, or than its type allows
    BadMagic,     // not ours at all
    OtherVersion, // ours, of another protocol version: only the header was read
    BadType,      // an unknown message type
    BadSlot,      // a slot number of 4 or more, or a slot mask naming one
    BadCount,     // a count beyond its ceiling, or a length that disagrees with the counts
    OutOfWindow,  // a frame number too far from the receiver's current frame
    BadField,     // any other field out of its range (a reason, a delay, a name's byte)
};
inline constexpr int kDecodeResults = 10;

// Writes message as a datagram of its type into out; returns its length, or 0 when it does not fit
// in capacity or the message breaks its own limits (counts, slots, name lengths).
std::size_t EncodeMessage(const Message& message, std::uint8_t* out, std::size_t capacity);

// Checks the datagram whole (length, magic, version, type, then every count, slot and frame number
// against its limits, frame numbers within kFrameWindow of currentFrame) before reading any field
// into out; out holds the message only when the result is Ok. For OtherVersion, out.type is the
// datagram's type byte as it came (callers refuse a hello of another version).
DecodeResult DecodeMessage(const std::uint8_t* data, std::size_t size, std::uint32_t currentFrame,
                           Message& out);

} // namespace net
