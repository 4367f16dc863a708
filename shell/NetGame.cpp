#include "shell/NetGame.hpp"

#include "base/Message.hpp"
#include "platform/Platform.hpp"
#include "shell/GameSearch.hpp"
#include "shell/Options.hpp"

namespace {

// A seed that differs from run to run, for the host's session tokens and its cookie key.
std::uint64_t RunSeed() {
    return platform::PerformanceCounter() ^ (static_cast<std::uint64_t>(platform::TickCount()) << 32);
}

bool Fail(const std::string& text) {
    ShowMessage("ERROR", text.c_str(), MessageIcon::Information);
    return false;
}

} // namespace

bool StartNetGame(const Options& options, const std::string& name, const net::SessionFiles& files,
                  NetGame& game) {
    game.name = name;
    std::string error;
    if (options.host) {
        const auto port =
            static_cast<std::uint16_t>(options.hostPort > 0 ? options.hostPort : net::kDefaultPort);
        game.transport = net::UdpTransport::Open(port, error);
        if (!game.transport) {
            return Fail("No se ha podido abrir el puerto " + std::to_string(port) + " para la partida.");
        }
        net::HostConfig config;
        config.files = files;
        config.name = game.name;
        config.framesPerSecond = options.fps > 0 ? options.fps : kPlayFramesPerSecond;
        config.seed = RunSeed();
        game.host = std::make_unique<net::HostSession>(*game.transport, config);
        return true;
    }
    game.transport = net::UdpTransport::Open(0, error);
    if (!game.transport) {
        return Fail("No se ha podido abrir la red.");
    }
    net::Address address;
    if (options.joinAddress.empty()) {
        if (!FindFirstGame(*game.transport, net::kDefaultPort, address)) {
            return Fail("No se ha encontrado ninguna partida en la red local.");
        }
    } else if (!net::ResolveAddress(options.joinAddress, net::kDefaultPort, address, error)) {
        return Fail("No se encuentra la direcci\xF3n " + options.joinAddress + ".");
    }
    game.address = net::FormatAddress(address);
    net::ClientConfig config;
    config.files = files;
    config.name = game.name;
    config.nonce = static_cast<std::uint32_t>(RunSeed()) | 1u;
    game.client = std::make_unique<net::ClientSession>(*game.transport, address, config);
    return true;
}
