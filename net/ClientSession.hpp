#pragma once

// A client's side of a lockstep game: asks the host to join (answering its cookie challenge), loads
// the state the host sends for the frame it enters at, runs frame f only once the host has sent
// every player's keys for f, and sends its own keys (every frame not yet acknowledged, each time)
// with its newest state hash. Ends when the host says so or has been silent for 3 s.
// Transport-agnostic and polled, like the host's side.

#include "net/FrameRecord.hpp"
#include "net/HostSession.hpp"
#include "net/Link.hpp"
#include "net/LocalKeys.hpp"

#include <array>
#include <cstdint>
#include <string_view>

namespace net {

struct ClientConfig {
    SessionFiles files;
    std::string_view name;   // at most kMaxNameBytes, Windows-1252
    std::uint32_t nonce = 0; // tells this attempt's answers from stale ones; any value but 0
};

// How long a client asks before it concludes no host is there.
inline constexpr std::uint64_t kConnectMicros = 5'000'000;

class ClientSession {
  public:
    enum class State { Connecting, Joining, Playing, Refused, Ended };
    enum class EndReason { None, HostClosed, HostSilent, NoHost };

    ClientSession(Transport& transport, const Address& host, const ClientConfig& config);

    // Takes in what arrived from the host (datagrams from anywhere else are dropped), notices
    // silence, and sends what is due (hellos while connecting, then keys). When the host ends the
    // game the session ends once it has run every frame the host ran.
    void poll(std::uint64_t now);
    // As the host's: the next frame once the host has sent it (and, where the frame asks for it, the
    // state to load first). False while it has not.
    bool nextFrame(FrameRecord& record);
    void submitLocalKeys(std::uint16_t mask);
    // The hash of the state after running frame; the host gets those of every kHashInterval-th frame.
    void reportStateHash(std::uint32_t frame, std::uint64_t hash);
    // Tells the host this player quits (three times, as datagrams may be lost); the session ends.
    void leave();

    State state() const { return state_; }
    EndReason endReason() const { return endReason_; }
    RefusalReason refusal() const { return refusal_; }
    int slot() const { return slot_; }
    std::uint32_t joinFrame() const { return joinFrame_; }
    // The slots whose keys the host lacked for its next frame, as it last said.
    std::uint8_t hostWaitingFor() const { return hostWaitingFor_; }
    // The name of slot as the host last listed it (empty when never listed).
    std::string_view name(int slot) const;
    // The newest frame the host found out of step, once; kNoFrame when none since the last call.
    std::uint32_t takeDesync();
    const LinkStats& stats() const { return link_.stats; }

  private:
    static constexpr std::size_t kHistory = 256;

    void handle(const Message& message, DecodeResult result);
    void takeFrames(const Message& message);
    void sendHello();
    void sendKeys(std::uint64_t now);
    std::uint32_t currentFrame() const;
    void end(EndReason reason);

    Link link_;
    Address host_;
    ClientConfig config_;
    State state_ = State::Connecting;
    EndReason endReason_ = EndReason::None;
    RefusalReason refusal_ = RefusalReason::Version;
    std::uint64_t now_ = 0;
    std::uint64_t started_ = 0;
    bool startedSet_ = false;
    std::uint64_t lastHeard_ = 0;
    std::uint64_t lastSent_ = 0;
    std::uint64_t cookie_ = 0;
    std::uint32_t token_ = 0;
    int slot_ = -1;
    std::uint32_t joinFrame_ = 0;
    std::array<FrameKeys, kHistory> frames_{};
    std::uint32_t framesThrough_ = kNoFrame; // the last frame of contiguous frames held
    std::uint32_t nextRun_ = 0;
    std::uint8_t lastPresent_ = 0;
    LocalKeys localKeys_;
    std::uint32_t keysAcked_ = kNoFrame; // the last frame of our keys the host holds
    std::uint32_t keysFrom_ = kNoFrame;  // the first frame our keys fill (join frame + its delay)
    bool keysToSend_ = false;
    bool framesToAck_ = false;
    std::uint32_t snapshotFrame_ = kNoFrame;
    std::uint8_t snapshotPresentBefore_ = 0;
    std::uint16_t snapshotSize_ = 0;
    std::array<std::uint8_t, kMaxSnapshotBytes> snapshot_{};
    bool hashToSend_ = false;
    std::uint32_t hashFrame_ = 0;
    std::uint64_t hash_ = 0;
    std::uint32_t desyncFrame_ = kNoFrame;
    std::uint32_t desyncSeen_ = kNoFrame;
    std::uint32_t endAfter_ = kNoFrame; // the host ended the game after this many frames
    std::uint8_t hostWaitingFor_ = 0;
    std::array<std::array<char, kMaxNameBytes>, kMaxPlayers> names_{};
    std::array<std::uint8_t, kMaxPlayers> nameLength_{};
    Message message_;
    Message incoming_;
};

} // namespace net
