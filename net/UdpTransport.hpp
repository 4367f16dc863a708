#pragma once

// The transport of real games: UDP over IPv4 and IPv6 with standalone Asio, polled (no thread, no
// blocking call but the name look-up of ResolveAddress). Asio stays inside UdpTransport.cpp.

#include "net/Transport.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace net {

class UdpTransport : public Transport {
  public:
    // Opens sockets bound to port (0: one the system picks) on every local address: one IPv4 and,
    // where the system has it, one IPv6. Null, with a reason in error, when neither can be opened
    // (the port taken, no network stack).
    static std::unique_ptr<UdpTransport> Open(std::uint16_t port, std::string& error);
    ~UdpTransport() override;

    void send(const Address& to, const std::uint8_t* data, std::size_t size) override;
    // To the IPv4 broadcast address 255.255.255.255 on port.
    void broadcast(std::uint16_t port, const std::uint8_t* data, std::size_t size) override;
    bool receive(Address& from, std::uint8_t* buffer, std::size_t capacity, std::size_t& size) override;
    // The port the sockets are bound to.
    std::uint16_t port() const;

  private:
    struct Sockets;
    explicit UdpTransport(std::unique_ptr<Sockets> sockets);
    std::unique_ptr<Sockets> sockets_;
};

// Reads "ADDRESS", "ADDRESS:PORT", "[IPV6]" or "[IPV6]:PORT", where ADDRESS is an IPv4 or IPv6
// address or a host name (looked up, which may block for a while). defaultPort stands in for a
// missing port. False, with a reason in error, when the text cannot be read or the name not found.
bool ResolveAddress(std::string_view text, std::uint16_t defaultPort, Address& out, std::string& error);

// The address as text, "a.b.c.d:port" or "[v6]:port".
std::string FormatAddress(const Address& address);

} // namespace net
