#pragma once

#include <string>

// A networked player's name: 1 to 16 Windows-1252 letters, as every other text the game shows.

// The name given with --name (UTF-8 text is taken as such, anything else as Windows-1252 bytes) in
// Windows-1252. False with problem set when it is empty, longer than 16 letters, or holds anything
// but letters.
bool ReadPlayerName(const std::string& given, std::string& name, std::string& problem);

// The name of a player who gave none: the letters of the login name, at most 16, or "Jugador" when
// it has none. Asks the platform.
std::string DefaultPlayerName();
