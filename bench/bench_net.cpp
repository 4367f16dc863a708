// The network layer over the simulated network, 60 frames a second of simulated time, with the
// tests' stand-in game (every present player's keys change every few frames):
// - BM_NetBytesPerPlayer: UDP payload bytes per second per client, each way, four players on a
//   clean link (1 ms each way), resends and every other message included.
// - BM_NetHostCpuPerFrame: the host's CPU time per frame for its networking (polls, releasing the
//   frame, its keys and hash) with four players; the clients' work is not counted.
// - BM_NetStallsPer1000/D: ticks at which a peer could not run its next frame for want of keys, per
//   1,000 frames it ran, host and one client at 5% loss and 50 ms each way, input delay fixed at D,
//   every peer polling about every millisecond between its frames.
// - BM_NetFeltInputDelay: a host and a client over real UDP on 127.0.0.1 in real time, each running
//   its frames on its own 60 Hz beat as the game does: frames from the one in which the client's
//   player presses a key to the one whose rule step (and so whose picture) first moves by it, and
//   the input delay the host chose meanwhile.

#include "ThreadCpuTime.hpp"
#include "helpers/LockstepPeers.hpp"

#include <benchmark/benchmark.h>

#include "net/UdpTransport.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <string>
#include <thread>

namespace {

constexpr int kSimulatedSeconds = 60;
constexpr int kTicks = kSimulatedSeconds * 60;

void BM_NetBytesPerPlayer(benchmark::State& state) {
    double up = 0;
    double down = 0;
    for (auto _ : state) {
        lockstep::Game game(4);
        game.network.setConditions({0, 1'000, 0});
        for (int index = 1; index < 4; ++index) {
            game.join(index);
        }
        game.run(kTicks);
        up = 0;
        down = 0;
        for (int index = 1; index < 4; ++index) {
            const auto& stats = game.peers[static_cast<std::size_t>(index)].client->stats();
            up += static_cast<double>(stats.bytesSent) / kSimulatedSeconds / 3;
            down += static_cast<double>(stats.bytesReceived) / kSimulatedSeconds / 3;
        }
    }
    state.counters["client_to_host_B/s"] = up;
    state.counters["host_to_client_B/s"] = down;
}
BENCHMARK(BM_NetBytesPerPlayer)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_NetHostCpuPerFrame(benchmark::State& state) {
    std::uint64_t hostNanoseconds = 0;
    std::size_t frames = 0;
    for (auto _ : state) {
        lockstep::Game game(4);
        for (int index = 1; index < 4; ++index) {
            game.join(index);
        }
        game.run(60); // everybody in
        lockstep::Peer& host = game.peers[0];
        std::size_t before = host.ran.size();
        for (int tick = 0; tick < kTicks; ++tick) {
            game.now += lockstep::kTickMicros;
            game.network.setNow(game.now);
            std::uint64_t start = bench_time::ThreadNanoseconds();
            host.host->poll(game.now);
            lockstep::Step(host, *host.host);
            host.host->poll(game.now);
            hostNanoseconds += bench_time::ThreadNanoseconds() - start;
            for (int index = 1; index < 4; ++index) {
                lockstep::Peer& client = game.peers[static_cast<std::size_t>(index)];
                client.client->poll(game.now);
                lockstep::Step(client, *client.client);
                client.client->poll(game.now);
            }
        }
        frames += host.ran.size() - before;
    }
    // The stand-in game's own step (a few multiplications) is inside the measure: an upper bound.
    double perFrame = static_cast<double>(hostNanoseconds) / static_cast<double>(frames) / 1000.0;
    state.counters["host_us_per_frame"] = perFrame;
    state.counters["percent_of_frame"] = perFrame / 16'667.0 * 100.0;
}
BENCHMARK(BM_NetHostCpuPerFrame)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NetStallsPer1000(benchmark::State& state) {
    std::array<double, 2> stallsPer1000{};
    for (auto _ : state) {
        lockstep::Game game(2, 11, static_cast<int>(state.range(0)), false);
        game.network.setConditions({50, 50'000, 0});
        game.pollsPerTick = 16; // about every millisecond, as a game polls while it waits
        game.join(1);
        game.run(120); // joined and playing
        std::array<std::size_t, 2> before = {game.peers[0].ran.size(), game.peers[1].ran.size()};
        game.run(kTicks * 2);
        // A peer runs at most a frame a tick: every tick it ran none was a stall.
        for (std::size_t peer = 0; peer < 2; ++peer) {
            auto ran = static_cast<double>(game.peers[peer].ran.size() - before[peer]);
            stallsPer1000[peer] = 1000.0 * (kTicks * 2 - ran) / ran;
        }
    }
    state.counters["host_stalls_per_1000"] = stallsPer1000[0];
    state.counters["client_stalls_per_1000"] = stallsPer1000[1];
}
BENCHMARK(BM_NetStallsPer1000)->Arg(3)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1);

std::uint64_t MicrosSince(std::chrono::steady_clock::time_point start) {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
            .count());
}

// The state a newcomer loads: this run has none worth the name, but the host must hand one over.
void ProvideState(net::HostSession& host) {
    const std::uint8_t state = 0;
    host.provideSnapshot(&state, 1);
}
void ProvideState(net::ClientSession&) {}

// One peer of the felt-delay run: runs its next frame when it is due and released. The client
// presses W (mask bit 2) alone in the frames a multiple of 30 after its first; each press's frame
// goes to pressed, and the first frame whose keys for the client's slot hold W after it to felt.
struct FeltPeer {
    std::uint64_t due = 0;
    std::uint32_t pressedAt = net::kNoFrame;
    std::uint32_t firstRun = net::kNoFrame;
    double feltSum = 0;
    double delaySum = 0;
    int presses = 0;

    template <typename Session> void run(Session& session, int slot, std::uint64_t now, bool presses) {
        net::FrameRecord record;
        if (now < due || !session.nextFrame(record)) {
            return;
        }
        if (record.snapshotWanted) {
            ProvideState(session);
        }
        due = std::max(due + lockstep::kTickMicros, now);
        firstRun = firstRun == net::kNoFrame ? record.frame : firstRun;
        std::uint16_t keys = record.keys.keys[static_cast<std::size_t>(slot)];
        if (pressedAt != net::kNoFrame && (keys & 4u) != 0) {
            feltSum += record.frame - pressedAt;
            delaySum += record.keys.inputDelay;
            ++this->presses;
            pressedAt = net::kNoFrame;
        }
        bool press = presses && pressedAt == net::kNoFrame && (record.frame - firstRun) % 30 == 29;
        if (press) {
            pressedAt = record.frame;
        }
        session.submitLocalKeys(press ? 4u : 0u);
        session.reportStateHash(record.frame, 0);
    }
};

void BM_NetFeltInputDelay(benchmark::State& state) {
    FeltPeer host;
    FeltPeer client;
    for (auto _ : state) {
        std::string error;
        auto hostLink = net::UdpTransport::Open(0, error);
        auto clientLink = net::UdpTransport::Open(0, error);
        if (!hostLink || !clientLink) {
            state.SkipWithError(error.c_str());
            return;
        }
        net::Address address;
        net::ResolveAddress("127.0.0.1:" + std::to_string(hostLink->port()), net::kDefaultPort, address,
                            error);
        net::HostConfig hostConfig;
        hostConfig.name = "Anfitrion";
        net::HostSession hostSession(*hostLink, hostConfig);
        net::ClientConfig clientConfig;
        clientConfig.name = "Invitado";
        clientConfig.nonce = 1;
        net::ClientSession clientSession(*clientLink, address, clientConfig);
        const auto start = std::chrono::steady_clock::now();
        // Ten seconds of play once both are in, bounded whatever happens.
        while (MicrosSince(start) < 20'000'000 && client.presses < 20) {
            const std::uint64_t now = MicrosSince(start);
            hostSession.poll(now);
            clientSession.poll(now);
            if (hostSession.playerCount() == 2) {
                host.run(hostSession, 0, now, false);
            }
            client.run(clientSession, clientSession.slot(), now, true);
            hostSession.poll(now);
            clientSession.poll(now);
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }
    state.counters["felt_frames"] = client.presses > 0 ? client.feltSum / client.presses : -1;
    state.counters["chosen_delay"] = client.presses > 0 ? client.delaySum / client.presses : -1;
    state.counters["presses"] = client.presses;
}
BENCHMARK(BM_NetFeltInputDelay)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
