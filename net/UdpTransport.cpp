#include "net/UdpTransport.hpp"

#include "platform/Platform.hpp"

#include <asio/io_context.hpp>
#include <asio/ip/udp.hpp>
#include <asio/ip/v6_only.hpp>

#include <algorithm>

namespace net {

namespace {

Address FromEndpoint(const asio::ip::udp::endpoint& endpoint) {
    Address address;
    address.port = endpoint.port();
    asio::ip::address ip = endpoint.address();
    if (ip.is_v6() && ip.to_v6().is_v4_mapped()) {
        ip = asio::ip::make_address_v4(asio::ip::v4_mapped, ip.to_v6());
    }
    if (ip.is_v4()) {
        address.family = 4;
        auto bytes = ip.to_v4().to_bytes();
        std::copy(bytes.begin(), bytes.end(), address.bytes.begin());
    } else {
        address.family = 6;
        auto bytes = ip.to_v6().to_bytes();
        std::copy(bytes.begin(), bytes.end(), address.bytes.begin());
    }
    return address;
}

asio::ip::udp::endpoint ToEndpoint(const Address& address) {
    if (address.family == 4) {
        asio::ip::address_v4::bytes_type bytes;
        std::copy_n(address.bytes.begin(), bytes.size(), bytes.begin());
        return {asio::ip::address_v4(bytes), address.port};
    }
    asio::ip::address_v6::bytes_type bytes;
    std::copy_n(address.bytes.begin(), bytes.size(), bytes.begin());
    return {asio::ip::address_v6(bytes), address.port};
}

// Opens a non-blocking socket of one family bound to port; false when the system refuses.
bool OpenSocket(asio::ip::udp::socket& socket, const asio::ip::udp& protocol, std::uint16_t port,
                std::string& error) {
    asio::error_code failure;
    socket.open(protocol, failure);
    if (!failure && protocol == asio::ip::udp::v6()) {
        // The IPv4 socket serves IPv4 on the same port.
        socket.set_option(asio::ip::v6_only(true), failure);
    }
    if (!failure) {
        socket.bind({protocol == asio::ip::udp::v4() ? asio::ip::address(asio::ip::address_v4::any())
                                                     : asio::ip::address(asio::ip::address_v6::any()),
                     port},
                    failure);
    }
    if (!failure) {
        socket.non_blocking(true, failure);
    }
    if (failure) {
        error = failure.message();
        asio::error_code ignored;
        socket.close(ignored);
        return false;
    }
    platform::IgnoreUdpPortUnreachable(static_cast<std::uintptr_t>(socket.native_handle()));
    return true;
}

} // namespace

struct UdpTransport::Sockets {
    asio::io_context context;
    asio::ip::udp::socket v4{context};
    asio::ip::udp::socket v6{context};
    bool lastWasV6 = false;
};

UdpTransport::UdpTransport(std::unique_ptr<Sockets> sockets) : sockets_(std::move(sockets)) {}

UdpTransport::~UdpTransport() = default;

std::unique_ptr<UdpTransport> UdpTransport::Open(std::uint16_t port, std::string& error) {
    auto sockets = std::make_unique<Sockets>();
    if (!OpenSocket(sockets->v4, asio::ip::udp::v4(), port, error)) {
        return nullptr;
    }
    // The IPv6 socket takes the IPv4 one's port, chosen by the system when port is 0. A machine
    // without IPv6 plays over IPv4 alone.
    std::string ignored;
    OpenSocket(sockets->v6, asio::ip::udp::v6(), sockets->v4.local_endpoint().port(), ignored);
    return std::unique_ptr<UdpTransport>(new UdpTransport(std::move(sockets)));
}

std::uint16_t UdpTransport::port() const {
    asio::error_code failure;
    auto endpoint = sockets_->v4.local_endpoint(failure);
    return failure ? 0 : endpoint.port();
}

void UdpTransport::send(const Address& to, const std::uint8_t* data, std::size_t size) {
    if (to.family != 4 && to.family != 6) {
        return;
    }
    asio::ip::udp::socket& socket = to.family == 4 ? sockets_->v4 : sockets_->v6;
    if (!socket.is_open()) {
        return;
    }
    asio::error_code failure;
    socket.send_to(asio::buffer(data, size), ToEndpoint(to), 0, failure);
}

void UdpTransport::broadcast(std::uint16_t port, const std::uint8_t* data, std::size_t size) {
    asio::error_code failure;
    sockets_->v4.set_option(asio::socket_base::broadcast(true), failure);
    sockets_->v4.send_to(asio::buffer(data, size), {asio::ip::address_v4::broadcast(), port}, 0, failure);
}

bool UdpTransport::receive(Address& from, std::uint8_t* buffer, std::size_t capacity, std::size_t& size) {
    // The two sockets take turns, so that neither family can starve the other. A bounded number of
    // tries: Windows may report an earlier send's unreachable port here, which is skipped.
    for (int attempt = 0; attempt < 8; ++attempt) {
        sockets_->lastWasV6 = !sockets_->lastWasV6;
        asio::ip::udp::socket& socket = sockets_->lastWasV6 ? sockets_->v6 : sockets_->v4;
        if (!socket.is_open()) {
            continue;
        }
        asio::ip::udp::endpoint sender;
        asio::error_code failure;
        std::size_t received = socket.receive_from(asio::buffer(buffer, capacity), sender, 0, failure);
        if (failure == asio::error::message_size) {
            received = capacity; // longer than the buffer: the decoder drops it as too long
        } else if (failure) {
            continue;
        }
        from = FromEndpoint(sender);
        size = received;
        return true;
    }
    return false;
}

bool ResolveAddress(std::string_view text, std::uint16_t defaultPort, Address& out, std::string& error) {
    std::string host(text);
    std::string port = std::to_string(defaultPort);
    if (!host.empty() && host.front() == '[') {
        std::size_t close = host.find(']');
        if (close == std::string::npos || (close + 1 < host.size() && host[close + 1] != ':')) {
            error = "an IPv6 address lacks its closing bracket";
            return false;
        }
        if (close + 2 < host.size()) {
            port = host.substr(close + 2);
        }
        host = host.substr(1, close - 1);
    } else if (std::count(host.begin(), host.end(), ':') == 1) {
        port = host.substr(host.find(':') + 1);
        host = host.substr(0, host.find(':'));
    }
    if (host.empty() || port.empty() || port.size() > 5 ||
        !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        std::stoul(port) == 0 || std::stoul(port) > 65535) {
        error = "not an address and port";
        return false;
    }
    asio::io_context context;
    asio::ip::udp::resolver resolver(context);
    asio::error_code failure;
    auto results = resolver.resolve(host, port, failure);
    if (failure || results.empty()) {
        error = failure ? failure.message() : "no such host";
        return false;
    }
    // IPv4 first where a name has both: every host listens there.
    auto chosen = results.begin();
    for (auto it = results.begin(); it != results.end(); ++it) {
        if (it->endpoint().address().is_v4()) {
            chosen = it;
            break;
        }
    }
    out = FromEndpoint(chosen->endpoint());
    return true;
}

std::string FormatAddress(const Address& address) {
    if (address.family != 4 && address.family != 6) {
        return "?";
    }
    auto endpoint = ToEndpoint(address);
    std::string ip = endpoint.address().to_string();
    return (address.family == 6 ? "[" + ip + "]" : ip) + ":" + std::to_string(address.port);
}

} // namespace net
