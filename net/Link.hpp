#pragma once

// The sessions' common ground over a transport: sending one message, taking the next one in, and
// the counts both keep.

#include "net/MessageCodec.hpp"
#include "net/Transport.hpp"

#include <array>
#include <cstdint>

namespace net {

struct LinkStats {
    std::uint64_t datagramsSent = 0;
    std::uint64_t bytesSent = 0;
    std::uint64_t datagramsReceived = 0;
    std::uint64_t bytesReceived = 0;
    // Datagrams by what the decoder said of them (the Ok ones were taken).
    std::array<std::uint64_t, kDecodeResults> byResult{};
    // Well-formed datagrams dropped all the same: from an address, token or slot that is not the
    // sender's, or of a type this side never takes.
    std::uint64_t ignored = 0;

    std::uint64_t dropped() const;
};

// The most datagrams one poll takes in: work per poll stays bounded however many arrive.
inline constexpr int kMaxDatagramsPerPoll = 512;

class Link {
  public:
    explicit Link(Transport& transport) : transport_(transport) {}

    // Encodes and sends message; returns the bytes sent: 0, sending nothing, when it could not be
    // encoded or would be longer than limit.
    std::size_t send(const Address& to, const Message& message, std::size_t limit = kMaxDatagramBytes);
    // Takes the next datagram in and decodes it against currentFrame: Ok with message and from
    // filled, a decode failure (counted), or false when nothing waits. size gives its length.
    bool receive(std::uint32_t currentFrame, Address& from, Message& message, DecodeResult& result,
                 std::size_t& size);

    Transport& transport() { return transport_; }
    LinkStats stats;

  private:
    Transport& transport_;
    std::array<std::uint8_t, kMaxDatagramBytes + 1> buffer_{};
};

} // namespace net
