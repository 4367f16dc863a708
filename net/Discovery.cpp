#include "net/Discovery.hpp"

#include <algorithm>

namespace net {

Discovery::Discovery(Transport& transport, std::uint32_t nonce) : link_(transport), nonce_(nonce) {}

void Discovery::ask(std::uint16_t port) {
    message_ = Message{};
    message_.type = MessageType::DiscoverRequest;
    message_.nonce = nonce_;
    std::array<std::uint8_t, kDiscoverRequestBytes> bytes{};
    std::size_t size = EncodeMessage(message_, bytes.data(), bytes.size());
    link_.transport().broadcast(port, bytes.data(), size);
}

void Discovery::askAt(const Address& host) {
    message_ = Message{};
    message_.type = MessageType::DiscoverRequest;
    message_.nonce = nonce_;
    link_.send(host, message_);
}

void Discovery::poll() {
    Address from;
    DecodeResult result = DecodeResult::Ok;
    std::size_t size = 0;
    for (int i = 0; i < kMaxDatagramsPerPoll && link_.receive(0, from, message_, result, size); ++i) {
        if (result != DecodeResult::Ok || message_.type != MessageType::DiscoverAnswer ||
            message_.nonce != nonce_ || count_ == kMaxGames ||
            std::any_of(games_.begin(), games_.begin() + count_,
                        [&](const FoundGame& game) { return game.address == from; })) {
            continue;
        }
        FoundGame& game = games_[static_cast<std::size_t>(count_++)];
        game.address = from;
        game.name = message_.names[0];
        game.nameLength = message_.nameLength[0];
        game.players = message_.players;
        game.maxPlayers = message_.maxPlayers;
    }
}

} // namespace net
