#pragma once

// What the sessions need of a network: send a datagram to an address, and take the next one that
// arrived. The UDP transport and the simulated network of tests and benchmarks both fill it.

#include <array>
#include <cstddef>
#include <cstdint>

namespace net {

// A peer's address as a plain value (no allocation): an IPv4 or IPv6 address and a port, or any
// other 16 bytes a transport chooses to name its peers by.
struct Address {
    std::uint8_t family = 0; // 4, 6, or a transport's own tag
    std::array<std::uint8_t, 16> bytes{};
    std::uint16_t port = 0;

    bool operator==(const Address& other) const {
        return family == other.family && bytes == other.bytes && port == other.port;
    }
    bool operator!=(const Address& other) const { return !(*this == other); }
};

class Transport {
  public:
    virtual ~Transport() = default;
    // Sends one datagram; a send that fails is lost like a dropped one (UDP promises nothing).
    virtual void send(const Address& to, const std::uint8_t* data, std::size_t size) = 0;
    // Sends one datagram to every host listening on port on the local network.
    virtual void broadcast(std::uint16_t port, const std::uint8_t* data, std::size_t size) = 0;
    // Takes the next datagram that arrived into buffer (at most capacity bytes: a longer one is cut,
    // and size says capacity). False, touching nothing, when none is waiting. Never blocks.
    virtual bool receive(Address& from, std::uint8_t* buffer, std::size_t capacity, std::size_t& size) = 0;
};

} // namespace net
