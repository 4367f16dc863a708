// The network layer over the simulated network, 60 frames a second of simulated time, with the
// tests' stand-in game (every present player's keys change every few frames):
// - BM_NetBytesPerPlayer: UDP payload bytes per second per client, each way, four players on a
//   clean link (1 ms each way), resends and every other message included.
// - BM_NetHostCpuPerFrame: the host's CPU time per frame for its networking (polls, releasing the
//   frame, its keys and hash) with four players; the clients' work is not counted.
// - BM_NetStallsPer1000/D: ticks at which a peer could not run its next frame for want of keys, per
//   1,000 frames it ran, host and one client at 5% loss and 50 ms each way, input delay fixed at D,
//   every peer polling about every millisecond between its frames.

#include "ThreadCpuTime.hpp"
#include "helpers/LockstepPeers.hpp"

#include <benchmark/benchmark.h>

#include <array>

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

} // namespace

BENCHMARK_MAIN();
