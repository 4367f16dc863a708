#pragma once

// The host's side of a lockstep game: a player itself, the one relay of every player's keys and the
// referee of who is in. It admits peers (protocol version, the level's and penguin's file hashes,
// four players at most), releases frame f once it holds every present player's keys for f, sends
// each client every released frame it has not acknowledged, chooses the frame at which a newcomer
// enters and hands it the game state there, drops a peer that leaves or is silent for 3 s from the
// next frame, compares the players' state hashes, and adapts the input delay to the round trip.
// Transport-agnostic and polled: time comes in through poll(), nothing runs in between, no thread.

#include "net/FrameRecord.hpp"
#include "net/Link.hpp"
#include "net/LocalKeys.hpp"

#include <array>
#include <cstdint>
#include <string_view>

namespace net {

struct SessionFiles {
    std::uint64_t levelHash = 0;
    std::uint64_t penguinHash = 0;
};

struct HostConfig {
    SessionFiles files;
    std::string_view name;  // the host player's name (at most kMaxNameBytes, Windows-1252)
    int inputDelay = 3;     // frames, kMinInputDelay to kMaxInputDelay
    bool adaptDelay = true; // follow the measured round trip
    int framesPerSecond = 60;
    std::uint64_t seed = 0; // for the session tokens and the cookie key
};

// Microseconds a peer may stay silent before it is dropped.
inline constexpr std::uint64_t kSilenceMicros = 3'000'000;

class HostSession {
  public:
    HostSession(Transport& transport, const HostConfig& config);

    // Takes in what arrived (at most kMaxDatagramsPerPoll datagrams), drops silent peers, adapts the
    // input delay, and sends what is due. now is a monotonic clock in microseconds.
    void poll(std::uint64_t now);

    // The next frame when every present player's keys for it are in: fills record, counts the frame
    // as run, and returns true. False (record untouched) while keys are missing, or while a snapshot
    // asked for by the frame before has not been provided.
    bool nextFrame(FrameRecord& record);
    // The state at the start of the frame last returned, when that frame asked for it. False when
    // none was asked for or size is 0 or above kMaxSnapshotBytes.
    bool provideSnapshot(const std::uint8_t* data, std::size_t size);
    // The host player's keys, read while running the frame last returned.
    void submitLocalKeys(std::uint16_t mask);
    // The hash of the state after running frame.
    void reportStateHash(std::uint32_t frame, std::uint64_t hash);
    // True when every client holds every frame released so far: a host ending the game keeps
    // polling until then (or a time of its choosing), so that every peer can run the last frame.
    bool allAcknowledged() const;
    // Tells every client the game is over after the frames released so far (three times, as
    // datagrams may be lost).
    void close();

    // Slots admitted (present, or entering at a frame still to come), the host's own included.
    int playerCount() const;
    std::string_view name(int slot) const;
    // The slots whose keys the last nextFrame() lacked (0 when it released a frame): whom everyone
    // waits for.
    std::uint8_t waitingFor() const { return waiting_; }
    // The newest frame whose state hashes differed, once; kNoFrame when none since the last call.
    std::uint32_t takeDesync();
    const LinkStats& stats() const { return link_.stats; }

  private:
    static constexpr std::size_t kHistory = 256;

    struct Slot {
        bool used = false;
        Address address;
        std::uint32_t token = 0;
        std::uint32_t nonce = 0;
        std::array<char, kMaxNameBytes> name{};
        std::uint8_t nameLength = 0;
        std::uint32_t joinFrame = 0;
        std::uint32_t leaveFrame = kNoFrame;
        std::array<std::uint16_t, kHistory> keys{};
        std::uint32_t keysThrough = kNoFrame;   // the last frame of contiguous keys held
        std::uint32_t framesAck = kNoFrame;     // the last frame the client holds
        std::uint32_t snapshotFrame = kNoFrame; // a snapshot it must get, until acknowledged
        bool snapshotReady = false;
        std::uint16_t snapshotSize = 0;
        std::array<std::uint8_t, kMaxSnapshotBytes> snapshot{};
        std::uint64_t lastHeard = 0;
        std::uint64_t lastSent = 0;
        std::uint64_t lastPing = 0;
        std::uint64_t roundTrip = 0;
        std::uint32_t sentThrough = kNoFrame; // the newest frame sent to it
        std::uint32_t rosterSent = 0;
        int desyncRepeats = 0;
        std::uint32_t hashFrom = 0; // its hashes count from this frame (joined or resynced there)
        std::uint64_t lastSnapshotSent = 0;
    };

    void handle(const Address& from, const Message& message, DecodeResult result, std::size_t size);
    void handleHello(const Address& from, const Message& message);
    void admit(const Address& from, const Message& message);
    Slot* sender(const Address& from, const Message& message);
    void takeKeys(Slot& slot, const Message& message);
    void compareHash(int slot, std::uint32_t frame, std::uint64_t hash);
    void dropPeer(int slot);
    void adaptDelay(std::uint64_t now);
    void sendDue(std::uint64_t now);
    void sendFrames(int slot, std::uint64_t now);
    void sendRoster(int slot);
    void reply(const Address& to, Message& message, std::size_t receivedSize);
    std::uint64_t cookie(const Address& from) const;
    std::uint32_t nextToken();
    bool present(int slot, std::uint32_t frame) const;

    Link link_;
    HostConfig config_;
    std::array<Slot, kMaxPlayers> slots_{};
    LocalKeys localKeys_;
    std::array<FrameKeys, kHistory> released_{};
    std::uint32_t nextFrame_ = 0; // the next frame to release; those before it are run
    std::uint32_t lastRun_ = kNoFrame;
    bool snapshotOwed_ = false;
    std::uint8_t waiting_ = 0;
    int delay_;
    std::uint64_t now_ = 0;
    std::uint64_t rngState_;
    std::uint64_t cookieKey_;
    std::uint64_t lastAdapt_ = 0;
    std::uint64_t lowSince_ = 0;
    std::uint32_t rosterVersion_ = 1;
    std::uint64_t lastRosterBroadcast_ = 0;
    std::array<std::uint64_t, kHistory> hashes_{};
    std::array<std::uint32_t, kHistory> hashFrames_{};
    std::uint32_t desyncFrame_ = kNoFrame;
    std::uint32_t desyncReported_ = kNoFrame;
    std::uint8_t desyncSlots_ = 0;
    std::uint32_t resyncFrame_ = 0;
    std::uint8_t pendingResync_ = 0;
    Message message_; // one scratch record for what goes out and what comes in
    Message incoming_;
};

} // namespace net
