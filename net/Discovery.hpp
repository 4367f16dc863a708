#pragma once

// Finding games on the local network: a request broadcast on the game's port, and the hosts that
// answer it, each once, as they come in.

#include "net/Link.hpp"

#include <array>
#include <cstdint>
#include <string_view>

namespace net {

struct FoundGame {
    Address address;
    std::array<char, kMaxNameBytes> name{}; // the host player's, nameLength bytes
    std::uint8_t nameLength = 0;
    int players = 0;
    int maxPlayers = 0;

    std::string_view hostName() const { return std::string_view(name.data(), nameLength); }
};

class Discovery {
  public:
    static constexpr int kMaxGames = 16;

    // nonce marks this search's answers apart from those of earlier ones; any value.
    Discovery(Transport& transport, std::uint32_t nonce);
    // Asks every host on the local network listening on port.
    void ask(std::uint16_t port);
    // Asks the host at one address.
    void askAt(const Address& host);
    // Takes in the answers that arrived (at most kMaxDatagramsPerPoll); a host already found, or past
    // kMaxGames, is not added again.
    void poll();

    int count() const { return count_; }
    const FoundGame& game(int index) const { return games_[static_cast<std::size_t>(index)]; }

  private:
    Link link_;
    std::uint32_t nonce_;
    std::array<FoundGame, kMaxGames> games_{};
    int count_ = 0;
    Message message_;
};

} // namespace net
