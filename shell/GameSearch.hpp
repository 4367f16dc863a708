#pragma once

#include "net/Transport.hpp"

#include <cstdint>

namespace net {
class UdpTransport;
}

// Finding games on the local network: a request broadcast on port every 0.2 s, the answers taken
// as they come. Each blocks the caller for the time it searches; no window is needed.

// Searches for up to 3 s and stops at the first game that answers: true with its address.
bool FindFirstGame(net::UdpTransport& transport, std::uint16_t port, net::Address& found);

// Searches for 2 s and prints each game found on standard output, one a line: "NAME PLAYERS/MOST
// ADDRESS" (the name in UTF-8). Returns how many answered.
int ListGames(net::UdpTransport& transport, std::uint16_t port);
