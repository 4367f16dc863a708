// The UDP transport on this machine's loopback only (127.0.0.1 and ::1): addresses read as players
// type them, and a host and a client playing over real sockets, in both families.

#include "helpers/LockstepPeers.hpp"
#include "net/Discovery.hpp"
#include "net/UdpTransport.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

TEST(NetUdp, ReadsAddressesAsPlayersTypeThem) {
    struct Case {
        const char* text;
        int family;
        std::uint16_t port;
    };
    for (const Case& test : {Case{"127.0.0.1", 4, net::kDefaultPort}, Case{"127.0.0.1:5000", 4, 5000},
                             Case{"::1", 6, net::kDefaultPort}, Case{"[::1]:6000", 6, 6000},
                             Case{"[::1]", 6, net::kDefaultPort}, Case{"localhost:7000", 4, 7000}}) {
        net::Address address;
        std::string error;
        ASSERT_TRUE(net::ResolveAddress(test.text, net::kDefaultPort, address, error))
            << test.text << ": " << error;
        EXPECT_EQ(address.family, test.family) << test.text;
        EXPECT_EQ(address.port, test.port) << test.text;
    }
    for (const char* text :
         {"", "[::1", "[::1]x", "127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536", "127.0.0.1:8a"}) {
        net::Address address;
        std::string error;
        EXPECT_FALSE(net::ResolveAddress(text, net::kDefaultPort, address, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

// A host and one client over real sockets until both ran 120 frames (at most 10 s).
void PlayOverLoopback(const char* hostAddress) {
    std::string error;
    auto hostTransport = net::UdpTransport::Open(0, error);
    auto clientTransport = net::UdpTransport::Open(0, error);
    ASSERT_TRUE(hostTransport && clientTransport) << error;
    net::Address host;
    ASSERT_TRUE(net::ResolveAddress(hostAddress, hostTransport->port(), host, error)) << error;

    lockstep::Peer hostPeer;
    lockstep::Peer clientPeer;
    net::HostConfig hostConfig;
    hostConfig.name = "Anfitrion";
    hostPeer.host = std::make_unique<net::HostSession>(*hostTransport, hostConfig);
    net::ClientConfig clientConfig;
    clientConfig.name = "Invitado";
    clientConfig.nonce = 5;
    clientPeer.client = std::make_unique<net::ClientSession>(*clientTransport, host, clientConfig);

    auto start = std::chrono::steady_clock::now();
    auto clock = [start] {
        return static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
                .count());
    };
    for (int round = 0; round < 100'000 && (hostPeer.ran.size() < 120 || clientPeer.ran.size() < 120);
         ++round) {
        std::uint64_t now = clock();
        ASSERT_LT(now, 10'000'000u);
        hostPeer.host->poll(now);
        lockstep::Step(hostPeer, *hostPeer.host);
        hostPeer.host->poll(now);
        clientPeer.client->poll(now);
        lockstep::Step(clientPeer, *clientPeer.client);
        clientPeer.client->poll(now);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    for (const auto& [frame, keys] : clientPeer.ran) {
        ASSERT_EQ(keys.keys, hostPeer.ran.at(frame).keys) << frame;
        ASSERT_EQ(clientPeer.hashes.at(frame), hostPeer.hashes.at(frame)) << frame;
    }
    EXPECT_EQ(clientPeer.client->name(0), "Anfitrion");

    // Asked at its address (the game broadcasts; tests stay on the loopback), the host answers.
    auto searchTransport = net::UdpTransport::Open(0, error);
    ASSERT_TRUE(searchTransport) << error;
    net::Discovery search(*searchTransport, 99);
    search.askAt(host);
    for (int round = 0; round < 1000 && search.count() == 0; ++round) {
        hostPeer.host->poll(clock());
        search.poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(search.count(), 1);
    EXPECT_EQ(search.game(0).hostName(), "Anfitrion");
    EXPECT_EQ(search.game(0).players, 2);
    EXPECT_EQ(hostPeer.host->stats().dropped(), 0u);
    hostPeer.host->close();
    for (int round = 0; round < 1000 && clientPeer.client->state() != net::ClientSession::State::Ended;
         ++round) {
        clientPeer.client->poll(clock());
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(clientPeer.client->endReason(), net::ClientSession::EndReason::HostClosed);
}

TEST(NetUdp, AHostAndAClientPlayOverIPv4Loopback) {
    PlayOverLoopback("127.0.0.1");
}

TEST(NetUdp, AHostAndAClientPlayOverIPv6Loopback) {
    PlayOverLoopback("::1");
}

} // namespace
