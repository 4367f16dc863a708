// The lockstep sessions over the simulated network: every peer runs the same keys for every frame,
// joins and leaves land on the same frame everywhere, and the host admits, refuses and drops as it
// should.

#include "helpers/LockstepPeers.hpp"
#include "net/MessageCodec.hpp"
#include "net/Random.hpp"

#include <gtest/gtest.h>

namespace {

using lockstep::Game;
using net::ClientSession;

// Every frame two peers both ran has the same keys and gives the same state.
void ExpectSameFrames(const lockstep::Peer& a, const lockstep::Peer& b) {
    int shared = 0;
    for (const auto& [frame, keys] : a.ran) {
        auto other = b.ran.find(frame);
        if (other == b.ran.end()) {
            continue;
        }
        ++shared;
        ASSERT_EQ(keys.present, other->second.present) << "frame " << frame;
        ASSERT_EQ(keys.inputDelay, other->second.inputDelay) << "frame " << frame;
        ASSERT_EQ(keys.keys, other->second.keys) << "frame " << frame;
        ASSERT_EQ(a.hashes.at(frame), b.hashes.at(frame)) << "frame " << frame;
    }
    EXPECT_GT(shared, 0);
}

TEST(NetSession, PeersRunTheSameFramesOverALossyReorderingLink) {
    Game game(5, 7, 3, true);
    game.network.setConditions({50, 50'000, 20'000}); // 5% loss, 50-70 ms each way: reorders
    game.join(1);
    game.join(2);
    game.run(300);
    game.join(3); // late, while the others play
    game.run(300);
    game.peers[2].client->leave(); // by notice
    game.run(60);
    game.network.disconnect(1); // silent from now on
    game.run(60);
    // Everyone waits for the silent player, and the clients are told whom.
    std::uint8_t silent = static_cast<std::uint8_t>(1u << game.peers[1].client->slot());
    EXPECT_EQ(game.peers[0].host->waitingFor(), silent);
    EXPECT_EQ(game.peers[3].client->hostWaitingFor(), silent);
    game.run(340);

    const auto& host = game.peers[0];
    ASSERT_GT(host.ran.size(), 500u);
    for (int index : {1, 2, 3}) {
        ExpectSameFrames(host, game.peers[static_cast<std::size_t>(index)]);
    }
    // The newcomer entered at its join frame on every peer, with the host's state there.
    std::uint32_t joinFrame = game.peers[3].client->joinFrame();
    EXPECT_EQ(game.peers[3].ran.begin()->first, joinFrame);
    EXPECT_EQ(game.peers[3].snapshotsLoaded, 1);
    EXPECT_EQ(host.ran.at(joinFrame).joined, 1u << 3);
    // Both leavers are gone from one announced frame on, the same on the host and the survivor.
    ASSERT_EQ(host.left.size(), 2u);
    for (const auto& [frame, slots] : host.left) {
        EXPECT_EQ(game.peers[3].left.at(frame), slots);
    }
    EXPECT_EQ(host.ran.rbegin()->second.present, 0b1001);
    // The round trip of 100 ms and more raised the input delay, the same on every peer per frame.
    EXPECT_EQ(host.ran.rbegin()->second.inputDelay, net::kMaxInputDelay);
    EXPECT_EQ(host.desync, net::kNoFrame);
    EXPECT_EQ(game.peers[3].desync, net::kNoFrame);
}

TEST(NetSession, TheInputDelayFallsOnAFastLinkAndEveryFrameStillHasKeys) {
    Game game(3, 5, net::kMaxInputDelay, true);
    game.network.setConditions({0, 1'000, 0});
    game.join(1);
    game.join(2);
    game.run(1200);
    const auto& host = game.peers[0];
    // Polled once a frame, a 1 ms link measures a round trip of two frames: one more to spare.
    EXPECT_EQ(host.ran.rbegin()->second.inputDelay, 3);
    ExpectSameFrames(host, game.peers[1]);
    ExpectSameFrames(host, game.peers[2]);
    // Keys read at frame f are those of f + D: each client's scripted keys arrive where they belong
    // (a frame the delay's fall passed over keeps the keys it had).
    int checked = 0;
    for (const auto& [frame, keys] : host.ran) {
        std::uint8_t delay = keys.inputDelay;
        auto earlier = host.ran.find(frame - delay);
        if (frame < 200 || earlier == host.ran.end() || earlier->second.inputDelay != delay) {
            continue;
        }
        int slot = game.peers[1].client->slot();
        EXPECT_EQ(keys.keys[static_cast<std::size_t>(slot)], lockstep::ScriptedKeys(slot, frame - delay))
            << frame;
        ++checked;
    }
    EXPECT_GT(checked, 500);
}

TEST(NetSession, HostRefusesWrongFilesOtherVersionsAndAFifthPlayer) {
    Game game(6);
    game.join(1);
    game.join(2);
    game.join(3);
    game.join(4);
    game.join(5, 42); // other files
    game.run(120);
    for (int index : {1, 2, 3}) {
        EXPECT_EQ(game.peers[static_cast<std::size_t>(index)].client->state(), ClientSession::State::Playing);
    }
    // The fourth client came after three others and the host: full, whichever order the hellos took.
    EXPECT_EQ(game.peers[4].client->state(), ClientSession::State::Refused);
    EXPECT_EQ(game.peers[4].client->refusal(), net::RefusalReason::Full);
    EXPECT_EQ(game.peers[5].client->refusal(), net::RefusalReason::Files);
    EXPECT_EQ(game.peers[0].host->playerCount(), 4);
    EXPECT_EQ(game.peers[1].client->name(0), "Anfitrion");
    EXPECT_EQ(game.peers[0].host->name(3), "Jugador3");

    // A hello of another protocol version gets a refusal that the sender sees as such.
    Game other(2);
    std::uint8_t hello[net::kHelloBytes] = {net::kMagic0, net::kMagic1, net::kProtocolVersion + 1,
                                            static_cast<std::uint8_t>(net::MessageType::Hello)};
    other.network.inject(other.network.address(1), 0, hello, sizeof hello);
    other.run(1);
    std::uint8_t reply[net::kMaxDatagramBytes];
    net::Address from;
    std::size_t size = 0;
    net::Message message;
    ASSERT_TRUE(other.network.endpoint(1).receive(from, reply, sizeof reply, size));
    EXPECT_EQ(net::DecodeMessage(reply, size, 0, message), net::DecodeResult::Ok);
}

TEST(NetSession, APeerClaimingAnotherSlotIsIgnored) {
    Game game(3);
    game.join(1);
    game.join(2);
    game.run(60);
    // Slot 1's keys from slot 2's address, and with slot 1's address but no token.
    net::Message forged;
    forged.type = net::MessageType::Keys;
    forged.slot = 1;
    forged.firstFrame = game.peers[0].ran.rbegin()->first + 1;
    forged.count = 10;
    forged.keys.fill(0xFFFF);
    forged.ack = net::kNoFrame;
    std::uint8_t bytes[net::kMaxDatagramBytes];
    std::size_t size = net::EncodeMessage(forged, bytes, sizeof bytes);
    auto before = game.peers[0].host->stats().ignored;
    game.network.inject(game.network.address(2), 0, bytes, size);
    game.network.inject(game.network.address(1), 0, bytes, size);
    game.run(60);
    EXPECT_EQ(game.peers[0].host->stats().ignored, before + 2);
    for (const auto& [frame, keys] : game.peers[0].ran) {
        EXPECT_NE(keys.keys[1], 0xFFFF) << "frame " << frame;
    }
    ExpectSameFrames(game.peers[0], game.peers[1]);
}

TEST(NetSession, ClientsEndWhenTheHostClosesOrFallsSilent) {
    Game closed(2);
    closed.join(1);
    closed.run(60);
    // The host stops running frames, serves its client until it holds them all, and closes: the
    // client runs every frame the host ran, then ends.
    net::HostSession& host = *closed.peers[0].host;
    lockstep::Peer& client = closed.peers[1];
    auto tick = [&] {
        closed.now += lockstep::kTickMicros;
        closed.network.setNow(closed.now);
        host.poll(closed.now);
        client.client->poll(closed.now);
        lockstep::Step(client, *client.client);
        client.client->poll(closed.now);
    };
    for (int round = 0; round < 60 && !host.allAcknowledged(); ++round) {
        tick();
    }
    ASSERT_TRUE(host.allAcknowledged());
    host.close();
    for (int round = 0; round < 10; ++round) {
        tick();
    }
    EXPECT_EQ(closed.peers[1].client->endReason(), ClientSession::EndReason::HostClosed);
    EXPECT_EQ(closed.peers[1].ran.rbegin()->first, closed.peers[0].ran.rbegin()->first);

    Game killed(2);
    killed.join(1);
    killed.run(60);
    killed.network.disconnect(0);
    killed.run(175); // 2.9 s
    EXPECT_EQ(killed.peers[1].client->state(), ClientSession::State::Playing);
    killed.run(10);
    EXPECT_EQ(killed.peers[1].client->endReason(), ClientSession::EndReason::HostSilent);

    Game nobody(2);
    nobody.network.disconnect(0);
    nobody.join(1);
    nobody.run(310);
    EXPECT_EQ(nobody.peers[1].client->endReason(), ClientSession::EndReason::NoHost);
}

TEST(NetSession, ADesyncIsReportedEverywhereAndMendedWithTheHostState) {
    Game game(3);
    game.join(1);
    game.join(2);
    game.run(100);
    game.peers[2].state ^= 1; // its state goes out of step
    game.run(100);
    std::uint32_t frame = game.peers[0].desync;
    ASSERT_NE(frame, net::kNoFrame);
    EXPECT_EQ(game.peers[1].desync, frame);
    EXPECT_EQ(game.peers[2].desync, frame);
    EXPECT_EQ(game.peers[2].snapshotsLoaded, 2); // its join, then the host's state
    // From the resync on, its states agree with the host's again.
    auto last = game.peers[2].ran.rbegin()->first;
    EXPECT_EQ(game.peers[2].hashes.at(last), game.peers[0].hashes.at(last));
}

} // namespace

namespace {

// Host and two clients on a clean link for 600 ticks; with storm, every tick also brings the host
// garbage, truncated, oversized, out-of-window and replayed datagrams from 20 forged addresses,
// whose lengths go to injected.
void PlayThroughStorm(Game& game, bool storm, std::vector<net::SimulatedNetwork::StrangerSend>& injected) {
    std::vector<net::SimulatedNetwork::Sent> sent;
    game.network.record(&sent);
    game.join(1);
    game.join(2);
    std::uint64_t random = 5;
    for (int tick = 0; tick < 600; ++tick) {
        for (int i = 0; storm && !sent.empty() && i < 20; ++i) {
            net::Address stranger;
            stranger.family = 4;
            stranger.bytes[0] = static_cast<std::uint8_t>(10 + i);
            stranger.port = static_cast<std::uint16_t>(1000 + tick % 7 * 20 + i);
            std::vector<std::uint8_t> bytes(net::SplitMix64(random) % 1500);
            for (auto& byte : bytes) {
                byte = static_cast<std::uint8_t>(net::SplitMix64(random));
            }
            const auto& real = sent[net::SplitMix64(random) % sent.size()];
            switch (i % 5) {
            case 0: // garbage of any length, half of it behind the protocol's header
                if (i % 2 == 0 && bytes.size() > 4) {
                    std::copy_n(real.bytes.begin(), 4, bytes.begin());
                }
                break;
            case 1: // a real datagram cut short
                bytes.assign(real.bytes.begin(),
                             real.bytes.begin() + static_cast<long>(real.bytes.size() / 2));
                break;
            case 2: // a real datagram with bytes after it, up to past the longest allowed
                bytes.insert(bytes.begin(), real.bytes.begin(), real.bytes.end());
                break;
            case 3: // a real datagram replayed from its own sender's address
                game.network.inject(real.from, 0, real.bytes.data(), real.bytes.size());
                continue;
            default: // a real datagram with its frame numbers far off
                bytes = real.bytes;
                if (bytes.size() > 20) {
                    bytes[15] ^= 0x40;
                }
                break;
            }
            game.network.inject(stranger, 0, bytes.data(), bytes.size());
            injected.push_back({stranger, bytes.size()});
        }
        game.run(1);
    }
    game.network.record(nullptr);
}

TEST(NetSession, AStormOfBadDatagramsChangesNothingAndIsNeverAmplified) {
    std::vector<net::SimulatedNetwork::StrangerSend> injected;
    Game calm(3);
    PlayThroughStorm(calm, false, injected);
    Game stormy(3);
    PlayThroughStorm(stormy, true, injected);
    for (std::size_t index = 0; index < 3; ++index) {
        EXPECT_EQ(stormy.peers[index].hashes, calm.peers[index].hashes) << "peer " << index;
    }
    EXPECT_GT(calm.peers[0].ran.size(), 550u);
    EXPECT_GT(stormy.peers[0].host->stats().dropped(), 5000u);
    EXPECT_EQ(stormy.peers[0].desync, net::kNoFrame);
    // The host answers a forged address with no more bytes than that address sent it.
    auto total = [](const std::vector<net::SimulatedNetwork::StrangerSend>& sends,
                    const net::Address& address) {
        std::size_t sum = 0;
        for (const auto& send : sends) {
            sum += send.to == address ? send.size : 0;
        }
        return sum;
    };
    ASSERT_FALSE(stormy.network.sentToStrangers().empty());
    for (const auto& reply : stormy.network.sentToStrangers()) {
        EXPECT_LE(total(stormy.network.sentToStrangers(), reply.to), total(injected, reply.to));
    }
}

} // namespace
