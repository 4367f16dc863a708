#pragma once

// The co-op protocol's constants and its one message record. Every datagram starts with the same
// eight bytes (magic, version, type, token); docs/PROTOCOL.md describes each message's fields and
// limits. Nothing here allocates: every variable part has a fixed ceiling.

#include <array>
#include <cstddef>
#include <cstdint>

namespace net {

inline constexpr std::uint8_t kMagic0 = 'J';
inline constexpr std::uint8_t kMagic1 = '3';
inline constexpr std::uint8_t kProtocolVersion = 1;
// The UDP port a host listens on unless told otherwise.
inline constexpr std::uint16_t kDefaultPort = 45730;

inline constexpr int kMaxPlayers = 4;
inline constexpr std::size_t kMaxNameBytes = 16;
// A snapshot of the whole game state fits one datagram with room for its header.
inline constexpr std::size_t kMaxSnapshotBytes = 1200;
// No datagram of the protocol is longer; the receive buffer holds one byte more, so that a longer
// one is seen as such and dropped.
inline constexpr std::size_t kMaxDatagramBytes = 1280;
inline constexpr std::size_t kHeaderBytes = 8;
// Requests a stranger may send are padded to these sizes, so that no answer is ever longer.
inline constexpr std::size_t kHelloBytes = 64;
inline constexpr std::size_t kDiscoverRequestBytes = 48;
// The most frames one keys or frames message carries (the oldest unacknowledged first).
inline constexpr int kMaxFramesPerMessage = 64;
// Frame numbers in a message must lie within this many frames of the receiver's current frame.
inline constexpr std::uint32_t kFrameWindow = 128;
// The input delay a host may choose, in frames.
inline constexpr int kMinInputDelay = 2;
inline constexpr int kMaxInputDelay = 8;
// Clients send the state hash of every frame whose number is a multiple of this.
inline constexpr std::uint32_t kHashInterval = 4;
// "No frame yet", in acknowledgement fields.
inline constexpr std::uint32_t kNoFrame = 0xFFFFFFFFu;

// True when frame comes after other, frame numbers wrapping at 2^32.
inline bool FrameLater(std::uint32_t frame, std::uint32_t other) {
    return static_cast<std::int32_t>(frame - other) > 0;
}

enum class MessageType : std::uint8_t {
    Hello = 1,            // client to host: asks to join
    Challenge = 2,        // host to client: the cookie the next hello must carry
    Welcome = 3,          // host to client: admitted, with a slot and a join frame
    Refusal = 4,          // host to client: not admitted, with the reason
    Keys = 5,             // client to host: its unacknowledged key frames, acks, its newest state hash
    Frames = 6,           // host to client: every player's keys for the frames not yet acknowledged
    Snapshot = 7,         // host to client: the game state at a frame (joining, or after a desync)
    Leave = 8,            // client to host: the player quits
    End = 9,              // host to client: the host closed the game
    Roster = 10,          // host to client: the names of the players present
    Desync = 11,          // host to client: the state hashes of a frame differed
    Ping = 12,            // host to client: measures the round trip
    Pong = 13,            // client to host: the ping's stamp echoed
    DiscoverRequest = 14, // anyone to host: is a game here?
    DiscoverAnswer = 15,  // host to anyone: the game's host name and player count
};

enum class RefusalReason : std::uint8_t { Version = 1, Files = 2, Full = 3 };

// One frame's keys as the host released them: who is present, who enters at this frame, who must
// load the host's state before running it (a peer found out of step), the input delay in force,
// and the key mask of every present slot (0 for the others).
struct FrameKeys {
    std::uint8_t present = 0;
    std::uint8_t joined = 0; // a subset of present; these load the host's snapshot too
    std::uint8_t resync = 0; // a subset of present, disjoint from joined
    std::uint8_t inputDelay = 0;
    std::array<std::uint16_t, kMaxPlayers> keys{};
};

// Every message in one record: which fields count depends on type (docs/PROTOCOL.md). Fixed size,
// so decoding never allocates.
struct Message {
    MessageType type = MessageType::Hello;
    std::uint32_t token = 0;        // the session token the host gave the peer (0 before admission)
    std::uint32_t nonce = 0;        // Hello, Challenge, Welcome, Refusal, DiscoverRequest/Answer
    std::uint64_t cookie = 0;       // Hello, Challenge
    std::uint64_t levelHash = 0;    // Hello
    std::uint64_t penguinHash = 0;  // Hello
    std::uint8_t slot = 0;          // Welcome, Keys, Snapshot, Leave, Pong
    std::uint8_t presentBefore = 0; // Snapshot: the slots present in the frame before its frame
    RefusalReason reason = RefusalReason::Version;
    // Welcome: join frame; Snapshot: its frame; Desync: the frame that differed; End: the frames
    // the game ran (0 to frame - 1)
    std::uint32_t frame = 0;
    std::uint32_t ack = kNoFrame;                           // Keys: frames held; Frames: keys held
    std::uint32_t snapshotAck = kNoFrame;                   // Keys: the frame of the newest snapshot held
    bool hasHash = false;                                   // Keys
    std::uint32_t hashFrame = 0;                            // Keys
    std::uint64_t hash = 0;                                 // Keys
    std::uint32_t firstFrame = 0;                           // Keys, Frames
    std::uint8_t count = 0;                                 // Keys, Frames: frames carried
    std::array<std::uint16_t, kMaxFramesPerMessage> keys{}; // Keys
    std::array<FrameKeys, kMaxFramesPerMessage> frames{};   // Frames
    std::uint16_t snapshotSize = 0;                         // Snapshot
    std::array<std::uint8_t, kMaxSnapshotBytes> snapshot{}; // Snapshot
    // Desync: the slots that differ; Roster: the slots named; Frames: the slots whose keys the host
    // still lacks for the next frame it would release
    std::uint8_t slotMask = 0;
    std::uint32_t resyncFrame = 0; // Desync: the frame at which they get the host's state
    std::uint32_t stamp = 0;       // Ping, Pong
    std::uint8_t players = 0;      // DiscoverAnswer
    std::uint8_t maxPlayers = 0;   // DiscoverAnswer
    // Hello, DiscoverAnswer: one name; Roster: one per slot in slotMask. Windows-1252, not
    // terminated; nameLength says how many bytes count.
    std::array<std::array<char, kMaxNameBytes>, kMaxPlayers> names{};
    std::array<std::uint8_t, kMaxPlayers> nameLength{};
};

} // namespace net
