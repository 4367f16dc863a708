#pragma once

#include "net/ClientSession.hpp"
#include "net/HostSession.hpp"
#include "net/UdpTransport.hpp"

#include <memory>
#include <string>

struct Options;

// A networked game's side on this machine: the host's session or a client's, over UDP.
struct NetGame {
    std::unique_ptr<net::UdpTransport> transport;
    std::unique_ptr<net::HostSession> host;
    std::unique_ptr<net::ClientSession> client;
    std::string name;    // this machine's player's, Windows-1252; the session keeps a view of it
    std::string address; // the host's, as text, for the messages of a client
};

// Opens the transport and the session that --host or --join asks for (for --join with no address,
// after looking for a game on the local network) for the player name with the given file hashes.
// False after a message when that cannot be done (the port taken, an address that cannot be found,
// no game found): the game then ends with code 0. Issues no GL calls.
bool StartNetGame(const Options& options, const std::string& name, const net::SessionFiles& files,
                  NetGame& game);
