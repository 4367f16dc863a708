// A stand-in player for tests across processes and systems: the lockstep sessions over real UDP
// with the tests' stand-in game (tests/helpers/LockstepPeers.hpp), no window.
//   net_peer host PORT FRAMES       waits for one client, plays FRAMES frames with it, closes
//   net_peer join ADDRESS FRAMES    joins, plays until FRAMES frames have run
// Prints "frames N state S" (S the stand-in state after the last frame, in hex) and ends with 0,
// or a line on standard error and 1 after 30 s without the frames, or when refused or left alone.

#include "helpers/LockstepPeers.hpp"
#include "net/UdpTransport.hpp"

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

std::uint64_t Micros(std::chrono::steady_clock::time_point start) {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
            .count());
}

int Fail(const char* text) {
    std::fprintf(stderr, "net_peer: %s\n", text);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::string(argv[1]) != "host" && std::string(argv[1]) != "join")) {
        return Fail("usage: net_peer host PORT FRAMES | net_peer join ADDRESS FRAMES");
    }
    const bool hosting = std::string(argv[1]) == "host";
    const auto frames = static_cast<std::size_t>(std::strtoul(argv[3], nullptr, 10));
    std::string error;
    auto transport =
        net::UdpTransport::Open(hosting ? static_cast<std::uint16_t>(std::atoi(argv[2])) : 0, error);
    if (!transport) {
        return Fail(error.c_str());
    }
    lockstep::Peer peer;
    if (hosting) {
        net::HostConfig config;
        config.name = "Anfitrion";
        peer.host = std::make_unique<net::HostSession>(*transport, config);
    } else {
        net::Address host;
        if (!net::ResolveAddress(argv[2], net::kDefaultPort, host, error)) {
            return Fail(error.c_str());
        }
        net::ClientConfig config;
        config.name = "Invitado";
        config.nonce = 1;
        peer.client = std::make_unique<net::ClientSession>(*transport, host, config);
    }
    const auto start = std::chrono::steady_clock::now();
    while (peer.ran.size() < frames && Micros(start) < 30'000'000) {
        if (hosting) {
            peer.host->poll(Micros(start));
            // Frame 0 waits for the client, so both play every frame.
            if (peer.host->playerCount() == 2 || !peer.ran.empty()) {
                lockstep::Step(peer, *peer.host);
            }
            peer.host->poll(Micros(start));
        } else {
            peer.client->poll(Micros(start));
            lockstep::Step(peer, *peer.client);
            peer.client->poll(Micros(start));
            if (peer.client->state() == net::ClientSession::State::Refused ||
                peer.client->state() == net::ClientSession::State::Ended) {
                return Fail("the host refused or ended the game");
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    if (peer.ran.size() < frames) {
        return Fail("the frames did not all run within 30 s");
    }
    if (hosting) {
        // The client may still lack the last frames: serve it a while, then close.
        for (std::uint64_t until = Micros(start) + 1'000'000; Micros(start) < until;) {
            peer.host->poll(Micros(start));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        peer.host->close();
    }
    std::printf("frames %zu state %016" PRIx64 "\n", peer.ran.size(), peer.hashes.rbegin()->second);
    return 0;
}
