#pragma once

// One datagram as the network layer meets it: decoded against several current frames (what passes
// must encode again to a datagram that passes), then handed to a fresh host from an address it has
// not admitted, which may answer with no more bytes than it got. Shared by the fuzz target
// (FuzzNetMessage.cpp) and the test that replays its seeds and findings; a failed check aborts.

#include "net/HostSession.hpp"
#include "net/MessageCodec.hpp"
#include "net/SimulatedNetwork.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzzchecks {

inline void RequireNet(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "network check failed: %s\n", what);
        std::abort();
    }
}

inline void CheckNetDatagram(const std::uint8_t* data, std::size_t size) {
    static net::Message message;
    static net::Message again;
    static std::uint8_t encoded[net::kMaxDatagramBytes];
    for (std::uint32_t current : {0u, 100u, 0xFFFFFFF0u}) {
        if (net::DecodeMessage(data, size, current, message) != net::DecodeResult::Ok) {
            continue;
        }
        std::size_t length = net::EncodeMessage(message, encoded, sizeof encoded);
        RequireNet(length > 0, "a decoded message encodes");
        RequireNet(net::DecodeMessage(encoded, length, current, again) == net::DecodeResult::Ok,
                   "a decoded message encodes to a datagram that decodes");
        RequireNet(length == size || message.type == net::MessageType::Hello ||
                       message.type == net::MessageType::DiscoverRequest,
                   "a decoded message encodes to its length (padding aside)");
    }
    net::SimulatedNetwork network(2, net::kDefaultPort, 1);
    net::HostConfig config;
    config.name = "Anfitrion";
    net::HostSession host(network.endpoint(0), config);
    network.inject(network.address(1), 0, data, size);
    host.poll(1'000);
    std::uint8_t reply[net::kMaxDatagramBytes + 1];
    net::Address from;
    std::size_t replySize = 0;
    std::size_t answered = 0;
    while (network.endpoint(1).receive(from, reply, sizeof reply, replySize)) {
        answered += replySize;
    }
    RequireNet(answered <= size, "no answer to a stranger longer than its datagram");
}

} // namespace fuzzchecks
