#include "net/MessageCodec.hpp"

#include <cstring>

namespace net {

namespace {

// Bounded little-endian writing: once a write would pass the end, every later one is refused and
// the whole encoding fails.
class Writer {
  public:
    Writer(std::uint8_t* out, std::size_t capacity) : out_(out), capacity_(capacity) {}
    void u8(std::uint8_t value) {
        if (size_ + 1 > capacity_) {
            failed_ = true;
            return;
        }
        out_[size_++] = value;
    }
    void u16(std::uint16_t value) {
        u8(static_cast<std::uint8_t>(value));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value) {
        u16(static_cast<std::uint16_t>(value));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void u64(std::uint64_t value) {
        u32(static_cast<std::uint32_t>(value));
        u32(static_cast<std::uint32_t>(value >> 32));
    }
    void bytes(const void* data, std::size_t size) {
        const auto* from = static_cast<const std::uint8_t*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            u8(from[i]);
        }
    }
    void padTo(std::size_t size) {
        while (size_ < size && !failed_) {
            u8(0);
        }
    }
    std::size_t finish() const { return failed_ ? 0 : size_; }

  private:
    std::uint8_t* out_;
    std::size_t capacity_;
    std::size_t size_ = 0;
    bool failed_ = false;
};

// Little-endian reading within bounds the caller has already checked.
class Reader {
  public:
    Reader(const std::uint8_t* data, std::size_t at) : data_(data), at_(at) {}
    std::uint8_t u8() { return data_[at_++]; }
    std::uint16_t u16() {
        std::uint16_t low = u8();
        return static_cast<std::uint16_t>(low | (u8() << 8));
    }
    std::uint32_t u32() {
        std::uint32_t low = u16();
        return low | (static_cast<std::uint32_t>(u16()) << 16);
    }
    std::uint64_t u64() {
        std::uint64_t low = u32();
        return low | (static_cast<std::uint64_t>(u32()) << 32);
    }
    void bytes(void* to, std::size_t size) {
        std::memcpy(to, data_ + at_, size);
        at_ += size;
    }
    std::size_t at() const { return at_; }

  private:
    const std::uint8_t* data_;
    std::size_t at_;
};

constexpr std::uint8_t kAllSlots = (1u << kMaxPlayers) - 1;

int SlotCount(std::uint8_t mask) {
    int count = 0;
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        count += (mask >> slot) & 1;
    }
    return count;
}

bool NameByteAllowed(std::uint8_t byte) {
    return byte >= 0x20 && byte != 0x7F;
}

bool InWindow(std::uint32_t frame, std::uint32_t current) {
    auto distance = static_cast<std::int64_t>(frame) - static_cast<std::int64_t>(current);
    return distance >= -static_cast<std::int64_t>(kFrameWindow) &&
           distance <= static_cast<std::int64_t>(kFrameWindow);
}

bool RangeInWindow(std::uint32_t first, int count, std::uint32_t current) {
    return InWindow(first, current) &&
           (count == 0 || InWindow(first + static_cast<std::uint32_t>(count - 1), current));
}

bool AckInWindow(std::uint32_t ack, std::uint32_t current) {
    return ack == kNoFrame || InWindow(ack, current);
}

// Writes a length byte and the name; false when the name is too long to send.
bool WriteName(Writer& writer, const Message& message, int index) {
    if (message.nameLength[index] > kMaxNameBytes) {
        return false;
    }
    writer.u8(message.nameLength[index]);
    writer.bytes(message.names[index].data(), message.nameLength[index]);
    return true;
}

// Reads a length byte and that many name bytes; false when the length or a byte is out of range.
bool ReadName(Reader& reader, std::size_t size, Message& out, int index) {
    if (reader.at() + 1 > size) {
        return false;
    }
    std::uint8_t length = reader.u8();
    if (length > kMaxNameBytes || reader.at() + length > size) {
        return false;
    }
    reader.bytes(out.names[index].data(), length);
    out.nameLength[index] = length;
    for (std::uint8_t i = 0; i < length; ++i) {
        if (!NameByteAllowed(static_cast<std::uint8_t>(out.names[index][i]))) {
            return false;
        }
    }
    return true;
}

std::size_t KeysBytes(bool hasHash, int count) {
    return kHeaderBytes + 1 + 4 + 4 + 1 + (hasHash ? 12 : 0) + 4 + 1 + 2 * static_cast<std::size_t>(count);
}

DecodeResult DecodeKeys(Reader& reader, std::size_t size, std::uint32_t current, Message& out) {
    if (size < KeysBytes(false, 0)) {
        return DecodeResult::TooShort;
    }
    out.slot = reader.u8();
    out.ack = reader.u32();
    out.snapshotAck = reader.u32();
    std::uint8_t flags = reader.u8();
    if (flags > 1) {
        return DecodeResult::BadField;
    }
    out.hasHash = flags == 1;
    if (size < KeysBytes(out.hasHash, 0)) {
        return DecodeResult::TooShort;
    }
    if (out.hasHash) {
        out.hashFrame = reader.u32();
        out.hash = reader.u64();
    }
    out.firstFrame = reader.u32();
    out.count = reader.u8();
    if (out.count > kMaxFramesPerMessage || size != KeysBytes(out.hasHash, out.count)) {
        return DecodeResult::BadCount;
    }
    if (out.slot >= kMaxPlayers) {
        return DecodeResult::BadSlot;
    }
    if (!AckInWindow(out.ack, current) || !AckInWindow(out.snapshotAck, current) ||
        (out.hasHash && !InWindow(out.hashFrame, current)) ||
        !RangeInWindow(out.firstFrame, out.count, current)) {
        return DecodeResult::OutOfWindow;
    }
    for (int i = 0; i < out.count; ++i) {
        out.keys[static_cast<std::size_t>(i)] = reader.u16();
    }
    return DecodeResult::Ok;
}

DecodeResult DecodeFrames(Reader& reader, std::size_t size, std::uint32_t current, Message& out) {
    constexpr std::size_t kFixed = kHeaderBytes + 1 + 4 + 4 + 1;
    if (size < kFixed) {
        return DecodeResult::TooShort;
    }
    out.slotMask = reader.u8();
    out.ack = reader.u32();
    out.firstFrame = reader.u32();
    out.count = reader.u8();
    if ((out.slotMask & ~kAllSlots) != 0) {
        return DecodeResult::BadSlot;
    }
    if (out.count > kMaxFramesPerMessage) {
        return DecodeResult::BadCount;
    }
    if (!AckInWindow(out.ack, current) || !RangeInWindow(out.firstFrame, out.count, current)) {
        return DecodeResult::OutOfWindow;
    }
    for (int i = 0; i < out.count; ++i) {
        if (reader.at() + 2 > size) {
            return DecodeResult::BadCount;
        }
        FrameKeys& frame = out.frames[static_cast<std::size_t>(i)];
        std::uint8_t slots = reader.u8();
        std::uint8_t delay = reader.u8();
        frame.present = slots & kAllSlots;
        frame.joined = static_cast<std::uint8_t>(slots >> 4);
        frame.resync = static_cast<std::uint8_t>(delay >> 4);
        frame.inputDelay = delay & 0x0F;
        if (frame.present == 0 || (frame.joined & ~frame.present) != 0 ||
            (frame.resync & ~frame.present) != 0 || (frame.joined & frame.resync) != 0) {
            return DecodeResult::BadSlot;
        }
        if (frame.inputDelay < kMinInputDelay || frame.inputDelay > kMaxInputDelay) {
            return DecodeResult::BadField;
        }
        if (reader.at() + 2 * static_cast<std::size_t>(SlotCount(frame.present)) > size) {
            return DecodeResult::BadCount;
        }
        for (int slot = 0; slot < kMaxPlayers; ++slot) {
            frame.keys[static_cast<std::size_t>(slot)] = (frame.present >> slot) & 1 ? reader.u16() : 0;
        }
    }
    return reader.at() == size ? DecodeResult::Ok : DecodeResult::BadCount;
}

DecodeResult DecodeBody(Reader& reader, std::size_t size, std::uint32_t current, Message& out) {
    auto exact = [&](std::size_t body) {
        return size < kHeaderBytes + body   ? DecodeResult::TooShort
               : size > kHeaderBytes + body ? DecodeResult::TooLong
                                            : DecodeResult::Ok;
    };
    DecodeResult result = DecodeResult::Ok;
    switch (out.type) {
    case MessageType::Hello:
        if ((result = exact(kHelloBytes - kHeaderBytes)) != DecodeResult::Ok) {
            return result;
        }
        out.nonce = reader.u32();
        out.cookie = reader.u64();
        out.levelHash = reader.u64();
        out.penguinHash = reader.u64();
        return ReadName(reader, size, out, 0) ? DecodeResult::Ok : DecodeResult::BadField;
    case MessageType::Challenge:
        if ((result = exact(12)) != DecodeResult::Ok) {
            return result;
        }
        out.nonce = reader.u32();
        out.cookie = reader.u64();
        return DecodeResult::Ok;
    case MessageType::Welcome:
        if ((result = exact(9)) != DecodeResult::Ok) {
            return result;
        }
        out.nonce = reader.u32();
        out.slot = reader.u8();
        out.frame = reader.u32();
        return out.slot < kMaxPlayers ? DecodeResult::Ok : DecodeResult::BadSlot;
    case MessageType::Refusal: {
        if ((result = exact(5)) != DecodeResult::Ok) {
            return result;
        }
        out.nonce = reader.u32();
        std::uint8_t reason = reader.u8();
        if (reason < 1 || reason > 3) {
            return DecodeResult::BadField;
        }
        out.reason = static_cast<RefusalReason>(reason);
        return DecodeResult::Ok;
    }
    case MessageType::Keys:
        return DecodeKeys(reader, size, current, out);
    case MessageType::Frames:
        return DecodeFrames(reader, size, current, out);
    case MessageType::Snapshot:
        if (size < kHeaderBytes + 8) {
            return DecodeResult::TooShort;
        }
        out.slot = reader.u8();
        out.frame = reader.u32();
        out.presentBefore = reader.u8();
        out.snapshotSize = reader.u16();
        if (out.snapshotSize == 0 || out.snapshotSize > kMaxSnapshotBytes ||
            size != kHeaderBytes + 8 + out.snapshotSize) {
            return DecodeResult::BadCount;
        }
        if (out.slot >= kMaxPlayers || (out.presentBefore & ~kAllSlots) != 0) {
            return DecodeResult::BadSlot;
        }
        if (!InWindow(out.frame, current)) {
            return DecodeResult::OutOfWindow;
        }
        reader.bytes(out.snapshot.data(), out.snapshotSize);
        return DecodeResult::Ok;
    case MessageType::Leave:
        if ((result = exact(1)) != DecodeResult::Ok) {
            return result;
        }
        out.slot = reader.u8();
        return out.slot < kMaxPlayers ? DecodeResult::Ok : DecodeResult::BadSlot;
    case MessageType::End:
        if ((result = exact(4)) != DecodeResult::Ok) {
            return result;
        }
        out.frame = reader.u32();
        return InWindow(out.frame, current) ? DecodeResult::Ok : DecodeResult::OutOfWindow;
    case MessageType::Roster:
        if (size < kHeaderBytes + 1) {
            return DecodeResult::TooShort;
        }
        out.slotMask = reader.u8();
        if ((out.slotMask & ~kAllSlots) != 0) {
            return DecodeResult::BadSlot;
        }
        for (int slot = 0; slot < kMaxPlayers; ++slot) {
            if (((out.slotMask >> slot) & 1) && !ReadName(reader, size, out, slot)) {
                return DecodeResult::BadField;
            }
        }
        return reader.at() == size ? DecodeResult::Ok : DecodeResult::BadCount;
    case MessageType::Desync:
        if ((result = exact(9)) != DecodeResult::Ok) {
            return result;
        }
        out.frame = reader.u32();
        out.slotMask = reader.u8();
        out.resyncFrame = reader.u32();
        if (out.slotMask == 0 || (out.slotMask & ~kAllSlots) != 0) {
            return DecodeResult::BadSlot;
        }
        return InWindow(out.frame, current) && InWindow(out.resyncFrame, current) ? DecodeResult::Ok
                                                                                  : DecodeResult::OutOfWindow;
    case MessageType::Ping:
        if ((result = exact(4)) != DecodeResult::Ok) {
            return result;
        }
        out.stamp = reader.u32();
        return DecodeResult::Ok;
    case MessageType::Pong:
        if ((result = exact(5)) != DecodeResult::Ok) {
            return result;
        }
        out.slot = reader.u8();
        out.stamp = reader.u32();
        return out.slot < kMaxPlayers ? DecodeResult::Ok : DecodeResult::BadSlot;
    case MessageType::DiscoverRequest:
        if ((result = exact(kDiscoverRequestBytes - kHeaderBytes)) != DecodeResult::Ok) {
            return result;
        }
        out.nonce = reader.u32();
        return DecodeResult::Ok;
    case MessageType::DiscoverAnswer:
        if (size < kHeaderBytes + 7) {
            return DecodeResult::TooShort;
        }
        out.nonce = reader.u32();
        out.players = reader.u8();
        out.maxPlayers = reader.u8();
        if (out.players > kMaxPlayers || out.maxPlayers > kMaxPlayers) {
            return DecodeResult::BadField;
        }
        if (!ReadName(reader, size, out, 0)) {
            return DecodeResult::BadField;
        }
        return reader.at() == size ? DecodeResult::Ok : DecodeResult::TooLong;
    }
    return DecodeResult::BadType;
}

bool EncodeFrames(Writer& writer, const Message& message) {
    writer.u8(message.slotMask);
    writer.u32(message.ack);
    writer.u32(message.firstFrame);
    writer.u8(message.count);
    for (int i = 0; i < message.count; ++i) {
        const FrameKeys& frame = message.frames[static_cast<std::size_t>(i)];
        if ((frame.present & ~kAllSlots) != 0 || (frame.joined & ~frame.present) != 0 ||
            (frame.resync & ~frame.present) != 0 || frame.inputDelay > 0x0F) {
            return false;
        }
        writer.u8(static_cast<std::uint8_t>(frame.present | (frame.joined << 4)));
        writer.u8(static_cast<std::uint8_t>(frame.inputDelay | (frame.resync << 4)));
        for (int slot = 0; slot < kMaxPlayers; ++slot) {
            if ((frame.present >> slot) & 1) {
                writer.u16(frame.keys[static_cast<std::size_t>(slot)]);
            }
        }
    }
    return true;
}

} // namespace

std::size_t EncodeMessage(const Message& message, std::uint8_t* out, std::size_t capacity) {
    // Only the fields of the message's own type count: the others may hold anything.
    bool valid = true;
    Writer writer(out, capacity);
    writer.u8(kMagic0);
    writer.u8(kMagic1);
    writer.u8(kProtocolVersion);
    writer.u8(static_cast<std::uint8_t>(message.type));
    writer.u32(message.token);
    switch (message.type) {
    case MessageType::Hello:
        writer.u32(message.nonce);
        writer.u64(message.cookie);
        writer.u64(message.levelHash);
        writer.u64(message.penguinHash);
        valid = WriteName(writer, message, 0);
        writer.padTo(kHelloBytes);
        break;
    case MessageType::Challenge:
        writer.u32(message.nonce);
        writer.u64(message.cookie);
        break;
    case MessageType::Welcome:
        writer.u32(message.nonce);
        writer.u8(message.slot);
        writer.u32(message.frame);
        break;
    case MessageType::Refusal:
        writer.u32(message.nonce);
        writer.u8(static_cast<std::uint8_t>(message.reason));
        break;
    case MessageType::Keys:
        writer.u8(message.slot);
        writer.u32(message.ack);
        writer.u32(message.snapshotAck);
        writer.u8(message.hasHash ? 1 : 0);
        if (message.hasHash) {
            writer.u32(message.hashFrame);
            writer.u64(message.hash);
        }
        writer.u32(message.firstFrame);
        writer.u8(message.count);
        valid = message.count <= kMaxFramesPerMessage;
        for (int i = 0; valid && i < message.count; ++i) {
            writer.u16(message.keys[static_cast<std::size_t>(i)]);
        }
        break;
    case MessageType::Frames:
        valid = message.count <= kMaxFramesPerMessage && EncodeFrames(writer, message);
        break;
    case MessageType::Snapshot:
        writer.u8(message.slot);
        writer.u32(message.frame);
        writer.u8(message.presentBefore);
        writer.u16(message.snapshotSize);
        valid = message.snapshotSize <= kMaxSnapshotBytes;
        writer.bytes(message.snapshot.data(), valid ? message.snapshotSize : 0);
        break;
    case MessageType::Leave:
        writer.u8(message.slot);
        break;
    case MessageType::End:
        writer.u32(message.frame);
        break;
    case MessageType::Roster:
        writer.u8(message.slotMask);
        for (int slot = 0; slot < kMaxPlayers; ++slot) {
            if ((message.slotMask >> slot) & 1) {
                valid = valid && WriteName(writer, message, slot);
            }
        }
        break;
    case MessageType::Desync:
        writer.u32(message.frame);
        writer.u8(message.slotMask);
        writer.u32(message.resyncFrame);
        break;
    case MessageType::Ping:
        writer.u32(message.stamp);
        break;
    case MessageType::Pong:
        writer.u8(message.slot);
        writer.u32(message.stamp);
        break;
    case MessageType::DiscoverRequest:
        writer.u32(message.nonce);
        writer.padTo(kDiscoverRequestBytes);
        break;
    case MessageType::DiscoverAnswer:
        writer.u32(message.nonce);
        writer.u8(message.players);
        writer.u8(message.maxPlayers);
        valid = WriteName(writer, message, 0);
        break;
    default:
        return 0;
    }
    return valid ? writer.finish() : 0;
}

DecodeResult DecodeMessage(const std::uint8_t* data, std::size_t size, std::uint32_t currentFrame,
                           Message& out) {
    if (size > kMaxDatagramBytes) {
        return DecodeResult::TooLong;
    }
    if (size < kHeaderBytes) {
        return DecodeResult::TooShort;
    }
    if (data[0] != kMagic0 || data[1] != kMagic1) {
        return DecodeResult::BadMagic;
    }
    out.type = static_cast<MessageType>(data[3]);
    if (data[2] != kProtocolVersion) {
        return DecodeResult::OtherVersion;
    }
    if (data[3] < static_cast<std::uint8_t>(MessageType::Hello) ||
        data[3] > static_cast<std::uint8_t>(MessageType::DiscoverAnswer)) {
        return DecodeResult::BadType;
    }
    // The reader counts from the datagram's start, so that its position compares with size.
    Reader cursor(data, 4);
    out.token = cursor.u32();
    return DecodeBody(cursor, size, currentFrame, out);
}

} // namespace net
