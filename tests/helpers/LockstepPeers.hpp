#pragma once

// A host and its clients over the simulated network, each with a stand-in game whose whole state is
// one number folded from every frame's keys and roster: peers that run the same frames agree on it,
// and a snapshot carries it. Every peer keeps what it ran, so tests compare them frame by frame.

#include "net/ClientSession.hpp"
#include "net/HostSession.hpp"
#include "net/SimulatedNetwork.hpp"

#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace lockstep {

inline constexpr std::uint64_t kTickMicros = 16'666; // 60 frames a second
inline constexpr std::uint64_t kFilesHash = 0x1234'5678'9ABC'DEF0ull;

inline std::uint64_t Mix(std::uint64_t state, std::uint64_t value) {
    state ^= value + 0x9E3779B97F4A7C15ull + (state << 6) + (state >> 2);
    return state * 0xBF58476D1CE4E5B9ull;
}

// The keys player slot holds while running frame: changes every few frames, differs by slot.
inline std::uint16_t ScriptedKeys(int slot, std::uint32_t frame) {
    return static_cast<std::uint16_t>(Mix(static_cast<std::uint64_t>(slot) + 1, frame / 5) & 0x1FF);
}

struct Peer {
    std::unique_ptr<net::HostSession> host;
    std::unique_ptr<net::ClientSession> client;
    std::map<std::uint32_t, net::FrameKeys> ran;
    std::map<std::uint32_t, std::uint64_t> hashes;
    std::map<std::uint32_t, std::uint8_t> left;
    std::uint64_t state = 0;
    std::uint32_t desync = net::kNoFrame;
    int snapshotsLoaded = 0;
    int slot() const { return host ? 0 : client->slot(); }
};

// Runs the session's next frame in the peer's stand-in game, when it has one; false when it has not.
template <typename Session> bool Step(Peer& peer, Session& session) {
    net::FrameRecord record;
    if (!session.nextFrame(record)) {
        return false;
    }
    if (record.snapshot != nullptr) {
        std::memcpy(&peer.state, record.snapshot, sizeof peer.state);
        ++peer.snapshotsLoaded;
    }
    if (record.snapshotWanted) {
        std::uint8_t bytes[sizeof peer.state];
        std::memcpy(bytes, &peer.state, sizeof bytes);
        peer.host->provideSnapshot(bytes, sizeof bytes);
    }
    peer.state = Mix(peer.state, record.frame);
    peer.state = Mix(peer.state, record.keys.present | (record.left << 4));
    for (std::uint16_t keys : record.keys.keys) {
        peer.state = Mix(peer.state, keys);
    }
    peer.ran[record.frame] = record.keys;
    if (record.left != 0) {
        peer.left[record.frame] = record.left;
    }
    session.submitLocalKeys(ScriptedKeys(peer.slot(), record.frame));
    peer.hashes[record.frame] = peer.state;
    session.reportStateHash(record.frame, peer.state);
    std::uint32_t desync = session.takeDesync();
    if (desync != net::kNoFrame) {
        peer.desync = desync;
    }
    return true;
}

class Game {
  public:
    explicit Game(int endpoints, std::uint64_t seed = 1, int inputDelay = 3, bool adapt = false)
        : network(endpoints, net::kDefaultPort, seed) {
        net::HostConfig config;
        config.files = {kFilesHash, kFilesHash};
        config.name = "Anfitrion";
        config.inputDelay = inputDelay;
        config.adaptDelay = adapt;
        config.seed = seed;
        peers.resize(static_cast<std::size_t>(endpoints));
        peers[0].host = std::make_unique<net::HostSession>(network.endpoint(0), config);
    }

    // Endpoint index asks to join with the given file hash and name.
    void join(int index, std::uint64_t files = kFilesHash) {
        names.push_back("Jugador" + std::to_string(index));
        net::ClientConfig config;
        config.files = {files, files};
        config.name = names.back();
        config.nonce = static_cast<std::uint32_t>(index) * 7919u + 1u;
        peers[static_cast<std::size_t>(index)].client =
            std::make_unique<net::ClientSession>(network.endpoint(index), network.address(0), config);
    }

    // One tick of every peer: poll, run at most one frame, poll again. With pollsPerTick above 1,
    // every peer also polls at as many even steps through the tick, as a game that keeps polling
    // while it waits for its next frame.
    void tick() {
        for (int step = 1; step < pollsPerTick; ++step) {
            network.setNow(now + kTickMicros * static_cast<std::uint64_t>(step) /
                                     static_cast<std::uint64_t>(pollsPerTick));
            for (Peer& peer : peers) {
                if (peer.host) {
                    peer.host->poll(now + kTickMicros * static_cast<std::uint64_t>(step) /
                                              static_cast<std::uint64_t>(pollsPerTick));
                } else if (peer.client) {
                    peer.client->poll(now + kTickMicros * static_cast<std::uint64_t>(step) /
                                                static_cast<std::uint64_t>(pollsPerTick));
                }
            }
        }
        now += kTickMicros;
        network.setNow(now);
        for (Peer& peer : peers) {
            if (peer.host) {
                peer.host->poll(now);
                stalls += Step(peer, *peer.host) ? 0 : 1;
                peer.host->poll(now);
            } else if (peer.client) {
                peer.client->poll(now);
                stalls += Step(peer, *peer.client) ? 0 : 1;
                peer.client->poll(now);
            }
        }
    }

    void run(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            tick();
        }
    }

    net::SimulatedNetwork network;
    std::vector<Peer> peers;
    std::deque<std::string> names; // a deque: sessions keep views of them
    std::uint64_t now = 0;
    long stalls = 0;
    int pollsPerTick = 1;
};

} // namespace lockstep
