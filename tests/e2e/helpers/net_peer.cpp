// A stand-in player for tests across processes and systems: the lockstep sessions over real UDP
// with the tests' stand-in game (tests/helpers/LockstepPeers.hpp), no window, 60 frames a second.
//   net_peer host PORT FRAMES [PLAYERS]   waits for PLAYERS (default 2) in all, plays FRAMES frames,
//                                         serves the clients until they hold every frame, closes
//   net_peer join ADDRESS FRAMES          joins, plays until FRAMES frames have run
//   net_peer list PORT                    asks the local network for games on PORT for 2 s and
//                                         prints "game NAME PLAYERS/MOST at ADDRESS" for each
// Prints "frames N state S" (S the stand-in state after the last frame, in hex) and ends with 0;
// ends with 3 and a line on standard error when the host closed or fell silent first, with 1 when
// refused or after 30 s without the frames.

#include "helpers/LockstepPeers.hpp"
#include "net/Discovery.hpp"
#include "net/UdpTransport.hpp"

#include <algorithm>
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

// The frame after one that ran at due: a tick later, or now when that far behind (no catching up).
std::uint64_t NextDue(std::uint64_t due, std::uint64_t now) {
    return std::max(due + lockstep::kTickMicros, now);
}

// Runs the due frame when its keys are in: the next one is due a tick later. A frame found due
// without its keys (after the first, which waits for the players) counts as stalled once.
template <typename Session>
void Run(lockstep::Peer& peer, Session& session, std::uint64_t& due, std::uint64_t now, long& stalled,
         bool& waiting) {
    if (lockstep::Step(peer, session)) {
        due = NextDue(due, now);
        waiting = false;
    } else if (!waiting && !peer.ran.empty()) {
        ++stalled;
        waiting = true;
    }
}

int Fail(const char* text) {
    std::fprintf(stderr, "net_peer: %s\n", text);
    return 1;
}

// Broadcasts a discovery request every 0.2 s for 2 s; 0 when a game answered, else 1.
int List(std::uint16_t port) {
    std::string error;
    auto transport = net::UdpTransport::Open(0, error);
    if (!transport) {
        return Fail(error.c_str());
    }
    net::Discovery search(*transport, 17);
    int printed = 0;
    for (int round = 0; round < 10; ++round) {
        search.ask(port);
        for (int wait = 0; wait < 200; ++wait) {
            search.poll();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        for (; printed < search.count(); ++printed) {
            const net::FoundGame& game = search.game(printed);
            std::printf("game %.*s %d/%d at %s\n", static_cast<int>(game.nameLength), game.name.data(),
                        game.players, game.maxPlayers, net::FormatAddress(game.address).c_str());
        }
    }
    return printed > 0 ? 0 : Fail("no game answered");
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "list") {
        return List(static_cast<std::uint16_t>(std::atoi(argv[2])));
    }
    const bool hosting = argc > 1 && std::string(argv[1]) == "host";
    if ((argc != 4 && !(hosting && argc == 5)) || (!hosting && std::string(argv[1]) != "join")) {
        return Fail(
            "usage: net_peer host PORT FRAMES [PLAYERS] | net_peer join ADDRESS FRAMES | net_peer list PORT");
    }
    const int players = argc == 5 ? std::atoi(argv[4]) : 2;
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
    std::uint64_t due = 0; // when the next frame may run, paced from the clock
    long stalled = 0;      // frames that were due before their keys were all in
    bool waiting = false;
    while (peer.ran.size() < frames && Micros(start) < 30'000'000) {
        bool paced = Micros(start) >= due;
        if (hosting) {
            peer.host->poll(Micros(start));
            // Frame 0 waits for every player, so all play every frame.
            if (paced && (peer.host->playerCount() >= players || !peer.ran.empty())) {
                Run(peer, *peer.host, due, Micros(start), stalled, waiting);
            }
            peer.host->poll(Micros(start));
        } else {
            peer.client->poll(Micros(start));
            if (paced) {
                Run(peer, *peer.client, due, Micros(start), stalled, waiting);
            }
            peer.client->poll(Micros(start));
            if (peer.client->state() == net::ClientSession::State::Refused) {
                return Fail("the host refused to let this player in");
            }
            if (peer.client->state() == net::ClientSession::State::Ended) {
                std::fprintf(stderr, "net_peer: the host is gone after %zu frames\n", peer.ran.size());
                return 3;
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    if (peer.ran.size() < frames) {
        return Fail("the frames did not all run within 30 s");
    }
    if (hosting) {
        // The clients may still lack the last frames: serve them until they hold them (2 s at most).
        for (std::uint64_t until = Micros(start) + 2'000'000;
             Micros(start) < until && !peer.host->allAcknowledged();) {
            peer.host->poll(Micros(start));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        peer.host->close();
    }
    std::printf("frames %zu state %016" PRIx64 "\n", peer.ran.size(), peer.hashes.rbegin()->second);
    std::fprintf(stderr, "net_peer: %ld of %zu frames were due before their keys were in\n", stalled,
                 peer.ran.size());
    return 0;
}
