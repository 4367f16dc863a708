// The protocol's datagrams: each type comes back as it went, and the decoder refuses every
// datagram that breaks a limit before trusting any of it.

#include "net/MessageCodec.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using net::DecodeResult;
using net::Message;
using net::MessageType;

std::vector<Message> Samples() {
    std::vector<Message> samples;
    auto add = [&](MessageType type) -> Message& {
        samples.emplace_back();
        samples.back().type = type;
        samples.back().token = 0xA1B2C3D4;
        samples.back().nonce = 77;
        return samples.back();
    };
    Message& hello = add(MessageType::Hello);
    hello.cookie = 0x0102030405060708ull;
    hello.levelHash = 11;
    hello.penguinHash = 12;
    hello.nameLength[0] = 16;
    hello.names[0].fill('\xF1'); // an n with tilde in Windows-1252
    add(MessageType::Challenge).cookie = 99;
    Message& welcome = add(MessageType::Welcome);
    welcome.slot = 3;
    welcome.frame = 1000;
    add(MessageType::Refusal).reason = net::RefusalReason::Full;
    Message& keys = add(MessageType::Keys);
    keys.slot = 2;
    keys.ack = 95;
    keys.hasHash = true;
    keys.hashFrame = 96;
    keys.hash = 0xFEDCBA9876543210ull;
    keys.firstFrame = 97;
    keys.count = net::kMaxFramesPerMessage;
    keys.keys.fill(0x1FF);
    Message& frames = add(MessageType::Frames);
    frames.slotMask = 0b0100;
    frames.ack = 101;
    frames.firstFrame = 90;
    frames.count = 3;
    frames.frames[0] = {0b1111, 0b1000, 0b0010, 8, {1, 2, 3, 4}};
    frames.frames[1] = {0b0101, 0, 0, 2, {5, 0, 6, 0}};
    frames.frames[2] = {0b0001, 0, 0, 3, {7, 0, 0, 0}};
    Message& snapshot = add(MessageType::Snapshot);
    snapshot.slot = 1;
    snapshot.frame = 100;
    snapshot.presentBefore = 0b0101;
    snapshot.snapshotSize = net::kMaxSnapshotBytes;
    snapshot.snapshot.fill(0xAB);
    add(MessageType::Leave).slot = 1;
    add(MessageType::End).frame = 120;
    Message& roster = add(MessageType::Roster);
    roster.slotMask = 0b1011;
    for (int slot = 0; slot < net::kMaxPlayers; ++slot) {
        roster.nameLength[static_cast<std::size_t>(slot)] = static_cast<std::uint8_t>(4 * slot + 1);
        roster.names[static_cast<std::size_t>(slot)].fill('a');
    }
    roster.nameLength[2] = 0; // not listed: its length is neither sent nor read
    Message& desync = add(MessageType::Desync);
    desync.frame = 99;
    desync.slotMask = 0b0100;
    desync.resyncFrame = 102;
    add(MessageType::Ping).stamp = 123456;
    Message& pong = add(MessageType::Pong);
    pong.slot = 3;
    pong.stamp = 123456;
    add(MessageType::DiscoverRequest);
    Message& answer = add(MessageType::DiscoverAnswer);
    answer.players = 2;
    answer.maxPlayers = 4;
    answer.nameLength[0] = 16;
    answer.names[0].fill('Z');
    return samples;
}

std::vector<std::uint8_t> Encode(const Message& message) {
    std::vector<std::uint8_t> bytes(net::kMaxDatagramBytes);
    bytes.resize(net::EncodeMessage(message, bytes.data(), bytes.size()));
    return bytes;
}

DecodeResult Decode(const std::vector<std::uint8_t>& bytes, std::uint32_t current = 100) {
    Message message;
    return net::DecodeMessage(bytes.data(), bytes.size(), current, message);
}

TEST(NetCodec, EveryTypeComesBackAsItWentAndNoLongerOrShorterDatagramPasses) {
    for (const Message& sample : Samples()) {
        SCOPED_TRACE(static_cast<int>(sample.type));
        std::vector<std::uint8_t> bytes = Encode(sample);
        ASSERT_FALSE(bytes.empty());
        Message decoded;
        ASSERT_EQ(net::DecodeMessage(bytes.data(), bytes.size(), 100, decoded), DecodeResult::Ok);
        EXPECT_EQ(Encode(decoded), bytes);
        EXPECT_EQ(decoded.token, sample.token);
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            EXPECT_NE(net::DecodeMessage(bytes.data(), length, 100, decoded), DecodeResult::Ok) << length;
        }
        bytes.push_back(0);
        EXPECT_NE(Decode(bytes), DecodeResult::Ok);
    }
}

TEST(NetCodec, RefusesEachBrokenLimit) {
    std::vector<Message> samples = Samples();
    auto keys = Encode(samples[4]);
    auto frames = Encode(samples[5]);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::size_t at;
        std::uint8_t value;
        DecodeResult expected;
    };
    std::vector<Case> cases = {
        {"magic", keys, 0, 'X', DecodeResult::BadMagic},
        {"version", keys, 2, net::kProtocolVersion + 1, DecodeResult::OtherVersion},
        {"type 0", keys, 3, 0, DecodeResult::BadType},
        {"type 200", keys, 3, 200, DecodeResult::BadType},
        {"keys slot", keys, 8, 4, DecodeResult::BadSlot},
        {"keys flags", keys, 17, 2, DecodeResult::BadField},
        {"keys count", keys, 34, net::kMaxFramesPerMessage + 1, DecodeResult::BadCount},
        {"keys first frame", keys, 33, 1, DecodeResult::OutOfWindow},
        {"frames waiting slots", frames, 8, 0x10, DecodeResult::BadSlot},
        {"frames delay", frames, 19, 9, DecodeResult::BadField},
        {"frames joined not present", frames, 28, 0x25, DecodeResult::BadSlot},
        {"frames nobody present", frames, 28, 0x00, DecodeResult::BadSlot},
        {"hello name byte", Encode(samples[0]), 37, '\n', DecodeResult::BadField},
        {"hello name length", Encode(samples[0]), 36, 17, DecodeResult::BadField},
    };
    for (Case& test : cases) {
        test.bytes[test.at] = test.value;
        EXPECT_EQ(Decode(test.bytes), test.expected) << test.what;
    }
    EXPECT_EQ(Decode(keys, 100 + net::kFrameWindow + 40), DecodeResult::OutOfWindow);
    EXPECT_EQ(Decode(std::vector<std::uint8_t>(net::kMaxDatagramBytes + 1, 'J')), DecodeResult::TooLong);
}

TEST(NetCodec, NoAnswerToAStrangerIsLongerThanItsRequest) {
    std::vector<Message> samples = Samples();
    std::size_t hello = Encode(samples[0]).size();
    EXPECT_EQ(hello, net::kHelloBytes);
    for (int index : {1, 2, 3}) { // challenge, welcome, refusal
        EXPECT_LE(Encode(samples[static_cast<std::size_t>(index)]).size(), hello);
    }
    EXPECT_EQ(Encode(samples[13]).size(), net::kDiscoverRequestBytes);
    EXPECT_LE(Encode(samples[14]).size(), net::kDiscoverRequestBytes); // with the longest name
}

} // namespace
