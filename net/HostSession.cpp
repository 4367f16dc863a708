#include "net/HostSession.hpp"

#include "net/Random.hpp"

#include <algorithm>

namespace net {

namespace {

constexpr std::uint64_t kResendMicros = 20'000;
constexpr std::uint64_t kHeartbeatMicros = 100'000;
constexpr std::uint64_t kSnapshotResendMicros = 50'000;
constexpr std::uint64_t kPingMicros = 500'000;
constexpr std::uint64_t kRosterMicros = 1'000'000;
constexpr std::uint64_t kAdaptMicros = 250'000;
constexpr std::uint64_t kLowerDelayAfterMicros = 2'000'000;
constexpr std::uint8_t kHostSlot = 0;

} // namespace

HostSession::HostSession(Transport& transport, const HostConfig& config)
    : link_(transport), config_(config),
      delay_(std::clamp(config.inputDelay, kMinInputDelay, kMaxInputDelay)), rngState_(config.seed) {
    cookieKey_ = SplitMix64(rngState_);
    Slot& host = slots_[kHostSlot];
    host.used = true;
    host.nameLength = static_cast<std::uint8_t>(std::min(config.name.size(), kMaxNameBytes));
    std::copy_n(config.name.data(), host.nameLength, host.name.data());
    hashFrames_.fill(kNoFrame);
}

std::uint32_t HostSession::nextToken() {
    std::uint32_t token = 0;
    while (token == 0) {
        token = static_cast<std::uint32_t>(SplitMix64(rngState_));
    }
    return token;
}

std::uint64_t HostSession::cookie(const Address& from) const {
    // A keyed mix of the address: a peer sees its own cookie only if it receives at that address,
    // so a forged source address cannot complete a hello.
    std::uint64_t state = cookieKey_ ^ (static_cast<std::uint64_t>(from.family) << 56) ^ from.port;
    std::uint64_t value = SplitMix64(state);
    for (std::size_t i = 0; i < from.bytes.size(); i += 8) {
        std::uint64_t word = 0;
        for (std::size_t j = 0; j < 8; ++j) {
            word |= static_cast<std::uint64_t>(from.bytes[i + j]) << (8 * j);
        }
        state ^= word;
        value ^= SplitMix64(state);
    }
    return value;
}

bool HostSession::present(int slot, std::uint32_t frame) const {
    const Slot& entry = slots_[static_cast<std::size_t>(slot)];
    return entry.used && !FrameLater(entry.joinFrame, frame) &&
           (entry.leaveFrame == kNoFrame || FrameLater(entry.leaveFrame, frame));
}

int HostSession::playerCount() const {
    int count = 0;
    for (const Slot& slot : slots_) {
        count += slot.used && slot.leaveFrame == kNoFrame ? 1 : 0;
    }
    return count;
}

std::string_view HostSession::name(int slot) const {
    const Slot& entry = slots_[static_cast<std::size_t>(slot)];
    return std::string_view(entry.name.data(), entry.nameLength);
}

std::uint32_t HostSession::takeDesync() {
    std::uint32_t frame = desyncFrame_;
    desyncFrame_ = kNoFrame;
    return frame;
}

void HostSession::poll(std::uint64_t now) {
    now_ = now;
    Address from;
    DecodeResult result = DecodeResult::Ok;
    std::size_t size = 0;
    for (int i = 0; i < kMaxDatagramsPerPoll && link_.receive(nextFrame_, from, incoming_, result, size);
         ++i) {
        handle(from, incoming_, result, size);
    }
    for (int slot = 1; slot < kMaxPlayers; ++slot) {
        Slot& entry = slots_[static_cast<std::size_t>(slot)];
        if (entry.used && entry.leaveFrame == kNoFrame && now - entry.lastHeard > kSilenceMicros) {
            dropPeer(slot);
        }
    }
    adaptDelay(now);
    sendDue(now);
}

void HostSession::handle(const Address& from, const Message& message, DecodeResult result, std::size_t size) {
    if (result == DecodeResult::OtherVersion) {
        if (message.type == MessageType::Hello) {
            message_ = Message{};
            message_.type = MessageType::Refusal;
            message_.reason = RefusalReason::Version;
            reply(from, message_, size);
        }
        return;
    }
    if (result != DecodeResult::Ok) {
        return;
    }
    Slot* slot = nullptr;
    switch (message.type) {
    case MessageType::Hello:
        handleHello(from, message);
        return;
    case MessageType::Keys:
        if ((slot = sender(from, message)) != nullptr) {
            takeKeys(*slot, message);
        }
        return;
    case MessageType::Leave:
        if (sender(from, message) != nullptr) {
            dropPeer(message.slot);
        }
        return;
    case MessageType::Pong:
        if ((slot = sender(from, message)) != nullptr) {
            slot->lastHeard = now_;
            std::uint64_t sample = static_cast<std::uint32_t>(now_) - message.stamp;
            slot->roundTrip = slot->roundTrip == 0 ? sample : (7 * slot->roundTrip + sample) / 8;
        }
        return;
    case MessageType::DiscoverRequest:
        message_ = Message{};
        message_.type = MessageType::DiscoverAnswer;
        message_.nonce = message.nonce;
        message_.players = static_cast<std::uint8_t>(playerCount());
        message_.maxPlayers = kMaxPlayers;
        message_.names[0] = slots_[kHostSlot].name;
        message_.nameLength[0] = slots_[kHostSlot].nameLength;
        reply(from, message_, size);
        return;
    default:
        ++link_.stats.ignored;
        return;
    }
}

void HostSession::reply(const Address& to, Message& message, std::size_t receivedSize) {
    // Before a peer is admitted its address may be forged: never answer with more than came in.
    if (link_.send(to, message, receivedSize) == 0) {
        ++link_.stats.ignored;
    }
}

void HostSession::handleHello(const Address& from, const Message& message) {
    message_ = Message{};
    message_.nonce = message.nonce;
    for (int index = 1; index < kMaxPlayers; ++index) {
        Slot& slot = slots_[static_cast<std::size_t>(index)];
        if (slot.used && slot.address == from) {
            if (slot.nonce == message.nonce && slot.leaveFrame == kNoFrame) {
                // Its welcome was lost: the same answer again.
                message_.type = MessageType::Welcome;
                message_.token = slot.token;
                message_.slot = static_cast<std::uint8_t>(index);
                message_.frame = slot.joinFrame;
                reply(from, message_, kHelloBytes);
            } else {
                ++link_.stats.ignored;
            }
            return;
        }
    }
    if (message.cookie != cookie(from)) {
        message_.type = MessageType::Challenge;
        message_.cookie = cookie(from);
        reply(from, message_, kHelloBytes);
        return;
    }
    message_.type = MessageType::Refusal;
    if (message.levelHash != config_.files.levelHash || message.penguinHash != config_.files.penguinHash) {
        message_.reason = RefusalReason::Files;
        reply(from, message_, kHelloBytes);
        return;
    }
    if (std::none_of(slots_.begin(), slots_.end(), [](const Slot& slot) { return !slot.used; })) {
        message_.reason = RefusalReason::Full;
        reply(from, message_, kHelloBytes);
        return;
    }
    admit(from, message);
}

void HostSession::admit(const Address& from, const Message& message) {
    int index = 1;
    while (slots_[static_cast<std::size_t>(index)].used) {
        ++index;
    }
    Slot& slot = slots_[static_cast<std::size_t>(index)];
    slot = Slot{};
    slot.used = true;
    slot.address = from;
    slot.token = nextToken();
    slot.nonce = message.nonce;
    slot.name = message.names[0];
    slot.nameLength = message.nameLength[0];
    slot.joinFrame = nextFrame_;
    slot.hashFrom = nextFrame_;
    slot.framesAck = nextFrame_ - 1; // kNoFrame when it enters at frame 0
    slot.sentThrough = slot.framesAck;
    slot.lastHeard = now_;
    ++rosterVersion_;
    message_.type = MessageType::Welcome;
    message_.token = slot.token;
    message_.slot = static_cast<std::uint8_t>(index);
    message_.frame = slot.joinFrame;
    reply(from, message_, kHelloBytes);
}

HostSession::Slot* HostSession::sender(const Address& from, const Message& message) {
    Slot& slot = slots_[message.slot];
    if (message.slot == kHostSlot || !slot.used || slot.leaveFrame != kNoFrame || slot.address != from ||
        slot.token != message.token) {
        ++link_.stats.ignored;
        return nullptr;
    }
    return &slot;
}

void HostSession::takeKeys(Slot& slot, const Message& message) {
    slot.lastHeard = now_;
    if (message.ack != kNoFrame && FrameLater(nextFrame_, message.ack) &&
        (slot.framesAck == kNoFrame || FrameLater(message.ack, slot.framesAck))) {
        slot.framesAck = message.ack;
    }
    if (slot.snapshotFrame != kNoFrame &&
        (message.snapshotAck == slot.snapshotFrame ||
         (message.hasHash && !FrameLater(slot.snapshotFrame, message.hashFrame)))) {
        slot.snapshotFrame = kNoFrame;
    }
    // Keys extend what is held only from its end on: a message with a gap before it is left to the
    // next one, which resends from the acknowledged frame.
    if (slot.keysThrough != kNoFrame && message.count > 0 &&
        !FrameLater(message.firstFrame, slot.keysThrough + 1)) {
        std::uint32_t end = message.firstFrame + message.count;
        for (std::uint32_t frame = slot.keysThrough + 1; FrameLater(end, frame); ++frame) {
            slot.keys[frame % kHistory] = message.keys[frame - message.firstFrame];
            slot.keysThrough = frame;
        }
    }
    if (message.hasHash) {
        compareHash(static_cast<int>(&slot - slots_.data()), message.hashFrame, message.hash);
    }
}

void HostSession::compareHash(int index, std::uint32_t frame, std::uint64_t hash) {
    Slot& slot = slots_[static_cast<std::size_t>(index)];
    std::size_t at = frame % kHistory;
    if (FrameLater(slot.hashFrom, frame) || hashFrames_[at] != frame || hashes_[at] == hash ||
        slot.snapshotFrame != kNoFrame || ((pendingResync_ >> index) & 1)) {
        return;
    }
    // The peer's state differs from the host's: everyone is told, and the peer gets the host's state
    // at the next frame released.
    desyncFrame_ = frame;
    pendingResync_ |= static_cast<std::uint8_t>(1u << index);
    resyncFrame_ = nextFrame_;
    desyncSlots_ = pendingResync_;
    desyncReported_ = frame;
    for (int other = 1; other < kMaxPlayers; ++other) {
        slots_[static_cast<std::size_t>(other)].desyncRepeats = 3;
    }
}

void HostSession::dropPeer(int index) {
    Slot& slot = slots_[static_cast<std::size_t>(index)];
    if (!slot.used || slot.leaveFrame != kNoFrame) {
        return;
    }
    if (FrameLater(slot.joinFrame, nextFrame_) || slot.joinFrame == nextFrame_) {
        slot.used = false; // never present in a released frame
    } else {
        slot.leaveFrame = nextFrame_;
    }
    ++rosterVersion_;
}

bool HostSession::nextFrame(FrameRecord& record) {
    if (snapshotOwed_) {
        return false;
    }
    const std::uint32_t frame = nextFrame_;
    FrameKeys keys;
    keys.inputDelay = static_cast<std::uint8_t>(delay_);
    const std::uint8_t before = frame == 0 ? 0 : released_[(frame - 1) % kHistory].present;
    for (int index = 0; index < kMaxPlayers; ++index) {
        if (present(index, frame)) {
            keys.present |= static_cast<std::uint8_t>(1u << index);
        }
    }
    keys.joined = keys.present & ~before;
    // Every present player's keys must be in; a newcomer's first frames hold none by definition.
    waiting_ = 0;
    for (int index = 0; index < kMaxPlayers; ++index) {
        if (!((keys.present >> index) & 1) || ((keys.joined >> index) & 1)) {
            continue;
        }
        std::uint32_t through =
            index == kHostSlot ? localKeys_.last() : slots_[static_cast<std::size_t>(index)].keysThrough;
        if (through == kNoFrame || FrameLater(frame, through)) {
            waiting_ |= static_cast<std::uint8_t>(1u << index);
            continue;
        }
        keys.keys[static_cast<std::size_t>(index)] =
            index == kHostSlot ? localKeys_.at(frame)
                               : slots_[static_cast<std::size_t>(index)].keys[frame % kHistory];
    }
    if (waiting_ != 0) {
        return false;
    }
    keys.resync = pendingResync_ & keys.present & ~keys.joined;
    pendingResync_ = 0;
    bool wanted = false;
    for (int index = 0; index < kMaxPlayers; ++index) {
        Slot& slot = slots_[static_cast<std::size_t>(index)];
        if ((keys.joined >> index) & 1) {
            if (index == kHostSlot) {
                localKeys_.start(frame, delay_);
                continue;
            }
            slot.keys.fill(0);
            slot.keysThrough = frame + static_cast<std::uint32_t>(delay_) - 1;
        }
        if (((keys.joined | keys.resync) >> index) & 1) {
            slot.snapshotFrame = frame;
            slot.snapshotReady = false;
            slot.hashFrom = frame;
            wanted = true;
        }
        if (slot.used && slot.leaveFrame != kNoFrame && !FrameLater(slot.leaveFrame, frame)) {
            slot.used = false;
        }
    }
    released_[frame % kHistory] = keys;
    lastRun_ = frame;
    ++nextFrame_;
    snapshotOwed_ = wanted;
    record = FrameRecord{};
    record.frame = frame;
    record.keys = keys;
    record.left = before & ~keys.present;
    record.snapshotWanted = wanted;
    return true;
}

bool HostSession::provideSnapshot(const std::uint8_t* data, std::size_t size) {
    if (!snapshotOwed_ || size == 0 || size > kMaxSnapshotBytes) {
        return false;
    }
    for (Slot& slot : slots_) {
        if (slot.used && slot.snapshotFrame == lastRun_ && !slot.snapshotReady) {
            std::copy_n(data, size, slot.snapshot.data());
            slot.snapshotSize = static_cast<std::uint16_t>(size);
            slot.snapshotReady = true;
            slot.lastSnapshotSent = 0;
        }
    }
    snapshotOwed_ = false;
    return true;
}

void HostSession::submitLocalKeys(std::uint16_t mask) {
    if (lastRun_ != kNoFrame) {
        localKeys_.submit(lastRun_, released_[lastRun_ % kHistory].inputDelay, mask);
    }
}

void HostSession::reportStateHash(std::uint32_t frame, std::uint64_t hash) {
    hashes_[frame % kHistory] = hash;
    hashFrames_[frame % kHistory] = frame;
}

void HostSession::adaptDelay(std::uint64_t now) {
    if (!config_.adaptDelay || now - lastAdapt_ < kAdaptMicros) {
        return;
    }
    lastAdapt_ = now;
    std::uint64_t worst = 0;
    for (int index = 1; index < kMaxPlayers; ++index) {
        const Slot& slot = slots_[static_cast<std::size_t>(index)];
        if (slot.used && slot.leaveFrame == kNoFrame) {
            worst = std::max(worst, slot.roundTrip);
        }
    }
    if (worst == 0) {
        return;
    }
    // Keys read at frame f reach the host about a round trip after it released f (the measure
    // includes the wait for the next poll at each end, as the keys' trip does): they must be in
    // before it releases f + D, with a frame to spare.
    auto framesPerSecond = static_cast<std::uint64_t>(std::max(config_.framesPerSecond, 1));
    int needed = static_cast<int>((worst * framesPerSecond + 999'999) / 1'000'000) + 1;
    needed = std::clamp(needed, kMinInputDelay, kMaxInputDelay);
    if (needed > delay_) {
        delay_ = needed;
        lowSince_ = 0;
    } else if (needed < delay_) {
        // Lower it only once the round trip has stayed low for a while, a frame at a time.
        if (lowSince_ == 0) {
            lowSince_ = now;
        } else if (now - lowSince_ >= kLowerDelayAfterMicros) {
            --delay_;
            lowSince_ = now;
        }
    } else {
        lowSince_ = 0;
    }
}

void HostSession::sendDue(std::uint64_t now) {
    for (int index = 1; index < kMaxPlayers; ++index) {
        Slot& slot = slots_[static_cast<std::size_t>(index)];
        if (!slot.used || slot.leaveFrame != kNoFrame) {
            continue;
        }
        std::uint32_t newest = nextFrame_ - 1;
        bool fresh = nextFrame_ > 0 && slot.sentThrough != newest;
        bool unacked = nextFrame_ > 0 && slot.framesAck != newest && !FrameLater(slot.joinFrame, newest);
        if (fresh || (unacked && now - slot.lastSent >= kResendMicros) ||
            now - slot.lastSent >= kHeartbeatMicros) {
            sendFrames(index, now);
        }
        if (slot.snapshotFrame != kNoFrame && slot.snapshotReady &&
            (slot.lastSnapshotSent == 0 || now - slot.lastSnapshotSent >= kSnapshotResendMicros)) {
            message_ = Message{};
            message_.type = MessageType::Snapshot;
            message_.token = slot.token;
            message_.slot = static_cast<std::uint8_t>(index);
            message_.frame = slot.snapshotFrame;
            message_.presentBefore =
                slot.snapshotFrame == 0 ? 0 : released_[(slot.snapshotFrame - 1) % kHistory].present;
            message_.snapshotSize = slot.snapshotSize;
            std::copy_n(slot.snapshot.data(), slot.snapshotSize, message_.snapshot.data());
            link_.send(slot.address, message_);
            slot.lastSnapshotSent = now;
        }
        if (slot.rosterSent != rosterVersion_ || now - lastRosterBroadcast_ >= kRosterMicros) {
            sendRoster(index);
        }
        if (now - slot.lastPing >= kPingMicros) {
            message_ = Message{};
            message_.type = MessageType::Ping;
            message_.token = slot.token;
            message_.stamp = static_cast<std::uint32_t>(now);
            link_.send(slot.address, message_);
            slot.lastPing = now;
        }
        if (slot.desyncRepeats > 0) {
            message_ = Message{};
            message_.type = MessageType::Desync;
            message_.token = slot.token;
            message_.frame = desyncReported_;
            message_.slotMask = desyncSlots_;
            message_.resyncFrame = resyncFrame_;
            link_.send(slot.address, message_);
            --slot.desyncRepeats;
        }
    }
    if (now - lastRosterBroadcast_ >= kRosterMicros) {
        lastRosterBroadcast_ = now;
    }
}

void HostSession::sendFrames(int index, std::uint64_t now) {
    Slot& slot = slots_[static_cast<std::size_t>(index)];
    message_ = Message{};
    message_.type = MessageType::Frames;
    message_.token = slot.token;
    message_.slotMask = waiting_;
    message_.ack = slot.keysThrough;
    std::uint32_t first = slot.framesAck + 1; // the join frame when nothing is acknowledged
    if (FrameLater(slot.joinFrame, first)) {
        first = slot.joinFrame;
    }
    if (nextFrame_ - first >= kHistory && FrameLater(nextFrame_, first)) {
        dropPeer(index); // so far behind that the frames it lacks are gone
        return;
    }
    message_.firstFrame = first;
    while (FrameLater(nextFrame_, first + message_.count) && message_.count < kMaxFramesPerMessage) {
        message_.frames[message_.count] = released_[(first + message_.count) % kHistory];
        ++message_.count;
    }
    link_.send(slot.address, message_);
    slot.sentThrough = nextFrame_ - 1;
    slot.lastSent = now;
}

void HostSession::sendRoster(int index) {
    Slot& slot = slots_[static_cast<std::size_t>(index)];
    message_ = Message{};
    message_.type = MessageType::Roster;
    message_.token = slot.token;
    for (int other = 0; other < kMaxPlayers; ++other) {
        const Slot& named = slots_[static_cast<std::size_t>(other)];
        if (named.used && named.leaveFrame == kNoFrame) {
            message_.slotMask |= static_cast<std::uint8_t>(1u << other);
            message_.names[static_cast<std::size_t>(other)] = named.name;
            message_.nameLength[static_cast<std::size_t>(other)] = named.nameLength;
        }
    }
    link_.send(slot.address, message_);
    slot.rosterSent = rosterVersion_;
}

bool HostSession::allAcknowledged() const {
    for (int index = 1; index < kMaxPlayers; ++index) {
        const Slot& slot = slots_[static_cast<std::size_t>(index)];
        if (slot.used && slot.leaveFrame == kNoFrame && nextFrame_ > 0 && slot.framesAck != nextFrame_ - 1) {
            return false;
        }
    }
    return true;
}

void HostSession::close() {
    for (int round = 0; round < 3; ++round) {
        for (int index = 1; index < kMaxPlayers; ++index) {
            const Slot& slot = slots_[static_cast<std::size_t>(index)];
            if (slot.used && slot.leaveFrame == kNoFrame) {
                message_ = Message{};
                message_.type = MessageType::End;
                message_.token = slot.token;
                message_.frame = nextFrame_;
                link_.send(slot.address, message_);
            }
        }
    }
}

} // namespace net
