#include "net/Link.hpp"

namespace net {

std::uint64_t LinkStats::dropped() const {
    std::uint64_t total = ignored;
    for (std::size_t i = 1; i < byResult.size(); ++i) {
        total += byResult[i];
    }
    return total;
}

std::size_t Link::send(const Address& to, const Message& message, std::size_t limit) {
    std::size_t size =
        EncodeMessage(message, buffer_.data(), limit < kMaxDatagramBytes ? limit : kMaxDatagramBytes);
    if (size == 0) {
        return 0;
    }
    transport_.send(to, buffer_.data(), size);
    ++stats.datagramsSent;
    stats.bytesSent += size;
    return size;
}

bool Link::receive(std::uint32_t currentFrame, Address& from, Message& message, DecodeResult& result,
                   std::size_t& size) {
    if (!transport_.receive(from, buffer_.data(), buffer_.size(), size)) {
        return false;
    }
    ++stats.datagramsReceived;
    stats.bytesReceived += size;
    result = DecodeMessage(buffer_.data(), size, currentFrame, message);
    ++stats.byResult[static_cast<std::size_t>(result)];
    return true;
}

} // namespace net
