#include "net/ClientSession.hpp"

#include <algorithm>

namespace net {

namespace {

constexpr std::uint64_t kHelloMicros = 250'000;
constexpr std::uint64_t kResendMicros = 20'000;
constexpr std::uint64_t kHeartbeatMicros = 100'000;

} // namespace

ClientSession::ClientSession(Transport& transport, const Address& host, const ClientConfig& config)
    : link_(transport), host_(host), config_(config) {}

std::string_view ClientSession::name(int slot) const {
    const auto index = static_cast<std::size_t>(slot);
    return std::string_view(names_[index].data(), nameLength_[index]);
}

std::uint32_t ClientSession::takeDesync() {
    std::uint32_t frame = desyncFrame_;
    desyncFrame_ = kNoFrame;
    return frame;
}

std::uint32_t ClientSession::currentFrame() const {
    return nextRun_;
}

void ClientSession::end(EndReason reason) {
    state_ = State::Ended;
    endReason_ = reason;
}

void ClientSession::poll(std::uint64_t now) {
    now_ = now;
    if (!startedSet_) {
        startedSet_ = true;
        started_ = now;
        lastHeard_ = now;
    }
    Address from;
    DecodeResult result = DecodeResult::Ok;
    std::size_t size = 0;
    for (int i = 0; i < kMaxDatagramsPerPoll && link_.receive(currentFrame(), from, incoming_, result, size);
         ++i) {
        if (from != host_) {
            ++link_.stats.ignored;
        } else if (state_ != State::Refused && state_ != State::Ended) {
            handle(incoming_, result);
        }
    }
    switch (state_) {
    case State::Connecting:
        if (now - started_ > kConnectMicros) {
            end(EndReason::NoHost);
        } else if (link_.stats.datagramsSent == 0 || now - lastSent_ >= kHelloMicros) {
            sendHello();
        }
        break;
    case State::Joining:
    case State::Playing: {
        if (now - lastHeard_ > kSilenceMicros) {
            end(EndReason::HostSilent);
            break;
        }
        bool unacked = localKeys_.last() != kNoFrame && localKeys_.last() != keysAcked_ &&
                       !FrameLater(keysFrom_, localKeys_.last());
        // Acknowledgements ride with the next frame's keys; alone they wait a resend interval.
        if (keysToSend_ || ((framesToAck_ || unacked) && now - lastSent_ >= kResendMicros) ||
            now - lastSent_ >= kHeartbeatMicros) {
            sendKeys(now);
        }
        break;
    }
    case State::Refused:
    case State::Ended:
        break;
    }
}

void ClientSession::sendHello() {
    message_ = Message{};
    message_.type = MessageType::Hello;
    message_.nonce = config_.nonce;
    message_.cookie = cookie_;
    message_.levelHash = config_.files.levelHash;
    message_.penguinHash = config_.files.penguinHash;
    message_.nameLength[0] = static_cast<std::uint8_t>(std::min(config_.name.size(), kMaxNameBytes));
    std::copy_n(config_.name.data(), message_.nameLength[0], message_.names[0].data());
    link_.send(host_, message_);
    lastSent_ = now_;
}

void ClientSession::handle(const Message& message, DecodeResult result) {
    if (result == DecodeResult::OtherVersion) {
        if (state_ == State::Connecting) {
            state_ = State::Refused;
            refusal_ = RefusalReason::Version;
        }
        return;
    }
    if (result != DecodeResult::Ok) {
        return;
    }
    if (state_ == State::Connecting) {
        if (message.nonce != config_.nonce) {
            ++link_.stats.ignored;
        } else if (message.type == MessageType::Challenge) {
            cookie_ = message.cookie;
            sendHello();
        } else if (message.type == MessageType::Welcome) {
            token_ = message.token;
            slot_ = message.slot;
            joinFrame_ = message.frame;
            nextRun_ = joinFrame_;
            state_ = State::Joining;
            lastHeard_ = now_;
        } else if (message.type == MessageType::Refusal) {
            state_ = State::Refused;
            refusal_ = message.reason;
        } else {
            ++link_.stats.ignored;
        }
        return;
    }
    // Everything after the welcome carries the token the host gave this client.
    if (message.token != token_) {
        ++link_.stats.ignored;
        return;
    }
    lastHeard_ = now_;
    switch (message.type) {
    case MessageType::Frames:
        hostWaitingFor_ = message.slotMask;
        takeFrames(message);
        if (message.ack != kNoFrame && localKeys_.last() != kNoFrame &&
            !FrameLater(message.ack, localKeys_.last()) &&
            (keysAcked_ == kNoFrame || FrameLater(message.ack, keysAcked_))) {
            keysAcked_ = message.ack;
        }
        break;
    case MessageType::Snapshot:
        if (message.slot == slot_ && !FrameLater(nextRun_, message.frame) &&
            message.frame != snapshotFrame_) {
            snapshotFrame_ = message.frame;
            snapshotPresentBefore_ = message.presentBefore;
            snapshotSize_ = message.snapshotSize;
            std::copy_n(message.snapshot.data(), message.snapshotSize, snapshot_.data());
            framesToAck_ = true;
        }
        break;
    case MessageType::End:
        // The frames the host ran are still run here, as far as they came.
        endAfter_ = message.frame;
        if (!FrameLater(endAfter_, nextRun_)) {
            end(EndReason::HostClosed);
        }
        break;
    case MessageType::Roster:
        // A slot no longer listed keeps its name: the game still names a leaver at its leave frame.
        for (int slot = 0; slot < kMaxPlayers; ++slot) {
            const auto index = static_cast<std::size_t>(slot);
            if ((message.slotMask >> slot) & 1) {
                names_[index] = message.names[index];
                nameLength_[index] = message.nameLength[index];
            }
        }
        break;
    case MessageType::Desync:
        if (message.frame != desyncSeen_) {
            desyncSeen_ = message.frame;
            desyncFrame_ = message.frame;
        }
        break;
    case MessageType::Ping:
        message_ = Message{};
        message_.type = MessageType::Pong;
        message_.token = token_;
        message_.slot = static_cast<std::uint8_t>(slot_);
        message_.stamp = message.stamp;
        link_.send(host_, message_);
        break;
    default:
        ++link_.stats.ignored;
        break;
    }
}

void ClientSession::takeFrames(const Message& message) {
    std::uint32_t expected = framesThrough_ == kNoFrame ? joinFrame_ : framesThrough_ + 1;
    for (std::uint32_t i = 0; i < message.count; ++i) {
        std::uint32_t frame = message.firstFrame + i;
        if (FrameLater(expected, frame)) {
            continue; // held already
        }
        if (frame != expected) {
            break; // a gap: the host resends from what we acknowledge
        }
        frames_[frame % kHistory] = message.frames[i];
        framesThrough_ = frame;
        ++expected;
        framesToAck_ = true;
    }
}

bool ClientSession::nextFrame(FrameRecord& record) {
    if (state_ != State::Joining && state_ != State::Playing) {
        return false;
    }
    const std::uint32_t frame = nextRun_;
    if (endAfter_ != kNoFrame && !FrameLater(endAfter_, frame)) {
        end(EndReason::HostClosed); // every frame the host ran has run here
        return false;
    }
    if (framesThrough_ == kNoFrame || FrameLater(frame, framesThrough_)) {
        return false;
    }
    const FrameKeys& keys = frames_[frame % kHistory];
    bool loads = ((keys.joined | keys.resync) >> slot_) & 1;
    if (loads && snapshotFrame_ != frame) {
        return false; // the state to load has not come yet
    }
    record = FrameRecord{};
    record.frame = frame;
    record.keys = keys;
    std::uint8_t before = frame == joinFrame_ ? snapshotPresentBefore_ : lastPresent_;
    record.left = before & ~keys.present;
    if (loads) {
        record.snapshot = snapshot_.data();
        record.snapshotSize = snapshotSize_;
    }
    if (frame == joinFrame_) {
        localKeys_.start(frame, keys.inputDelay);
        keysFrom_ = frame + keys.inputDelay;
        state_ = State::Playing;
    }
    lastPresent_ = keys.present;
    ++nextRun_;
    return true;
}

void ClientSession::submitLocalKeys(std::uint16_t mask) {
    if (state_ != State::Playing) {
        return;
    }
    std::uint32_t run = nextRun_ - 1;
    localKeys_.submit(run, frames_[run % kHistory].inputDelay, mask);
    keysToSend_ = true;
}

void ClientSession::reportStateHash(std::uint32_t frame, std::uint64_t hash) {
    if (frame % kHashInterval != 0) {
        return;
    }
    hashToSend_ = true;
    hashFrame_ = frame;
    hash_ = hash;
}

void ClientSession::sendKeys(std::uint64_t now) {
    message_ = Message{};
    message_.type = MessageType::Keys;
    message_.token = token_;
    message_.slot = static_cast<std::uint8_t>(slot_);
    message_.ack = framesThrough_;
    // The snapshot's frame is acknowledged while it is recent; once run past, the hashes of later
    // frames tell the host it arrived, and an old frame number would fall out of its window.
    message_.snapshotAck =
        snapshotFrame_ != kNoFrame && !FrameLater(nextRun_, snapshotFrame_ + kMaxFramesPerMessage)
            ? snapshotFrame_
            : kNoFrame;
    message_.hasHash = hashToSend_;
    message_.hashFrame = hashFrame_;
    message_.hash = hash_;
    message_.firstFrame = nextRun_;
    if (keysFrom_ != kNoFrame) {
        std::uint32_t first =
            keysAcked_ == kNoFrame || FrameLater(keysFrom_, keysAcked_ + 1) ? keysFrom_ : keysAcked_ + 1;
        message_.firstFrame = first;
        for (std::uint32_t frame = first;
             !FrameLater(frame, localKeys_.last()) && message_.count < kMaxFramesPerMessage; ++frame) {
            message_.keys[message_.count++] = localKeys_.at(frame);
        }
    }
    link_.send(host_, message_);
    lastSent_ = now;
    keysToSend_ = false;
    framesToAck_ = false;
    hashToSend_ = false;
}

void ClientSession::leave() {
    if (state_ == State::Joining || state_ == State::Playing) {
        message_ = Message{};
        message_.type = MessageType::Leave;
        message_.token = token_;
        message_.slot = static_cast<std::uint8_t>(slot_);
        for (int round = 0; round < 3; ++round) {
            link_.send(host_, message_);
        }
    }
    end(EndReason::None);
}

} // namespace net
