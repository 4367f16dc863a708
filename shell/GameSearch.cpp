#include "shell/GameSearch.hpp"

#include "base/Text.hpp"
#include "net/Discovery.hpp"
#include "net/UdpTransport.hpp"
#include "platform/Platform.hpp"

#include <cstdio>
#include <string>

namespace {

constexpr int kRoundMilliseconds = 200;

// Asks every kRoundMilliseconds for rounds rounds, polling every millisecond, until stop says so.
template <typename Stop> void Search(net::Discovery& search, std::uint16_t port, int rounds, Stop stop) {
    for (int round = 0; round < rounds; ++round) {
        search.ask(port);
        for (int wait = 0; wait < kRoundMilliseconds; ++wait) {
            search.poll();
            if (stop()) {
                return;
            }
            platform::SleepMilliseconds(1);
        }
    }
}

} // namespace

bool FindFirstGame(net::UdpTransport& transport, std::uint16_t port, net::Address& found) {
    net::Discovery search(transport, platform::TickCount() | 1u);
    Search(search, port, 15, [&search] { return search.count() > 0; });
    if (search.count() == 0) {
        return false;
    }
    found = search.game(0).address;
    return true;
}

int ListGames(net::UdpTransport& transport, std::uint16_t port) {
    net::Discovery search(transport, platform::TickCount() | 1u);
    int printed = 0;
    Search(search, port, 10, [&search, &printed] {
        for (; printed < search.count(); ++printed) {
            const net::FoundGame& game = search.game(printed);
            const std::string name(game.hostName());
            std::printf("%s %d/%d %s\n", Cp1252ToUtf8(name.c_str()).c_str(), game.players, game.maxPlayers,
                        net::FormatAddress(game.address).c_str());
            std::fflush(stdout);
        }
        return false;
    });
    return printed;
}
