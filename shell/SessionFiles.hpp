#pragma once

#include "net/HostSession.hpp"

// The hashes a networked game's handshake compares: 64-bit FNV-1a of the bytes of the penguin's and
// the level's files as they are in the run folder (0 for a file that cannot be read, which then
// matches only another machine's unreadable file).
net::SessionFiles GameFileHashes(const char* penguinFile, const char* levelFile);
