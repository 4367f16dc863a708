#pragma once

#include "base/OptionFailure.hpp"
#include "play/Player.hpp"
#include "play/Roster.hpp"

#include <string>
#include <vector>

// The rate of the rules of play, in frames a second, when nothing else is asked for; a networked
// game runs at it too when --fps asks for no pacing.
inline constexpr int kPlayFramesPerSecond = 60;

// Command-line options for tests and demos; without any, the game runs as it always does.
struct Options {
    int frames = 0;                 // --frames N: end cleanly after N frames (0: run until closed)
    std::string screenshot;         // --screenshot FILE.png: the last frame of --frames, as a PNG
    std::string stats;              // --stats FILE: one line of octree counts per frame
    std::vector<std::string> keys;  // --keys FILE, once per player: key scripts replayed in slot order
    std::string dumpState;          // --dump-state FILE: the game state as JSON, written at exit
    std::string trace;              // --trace FILE: the same state after every frame, one a line
    int timedemo = 0;               // --timedemo [N]: N frames of the built-in camera path, then a report
    bool timedemoBaseline = false;  // --timedemo-baseline [N]: the same, drawing every leaf unculled
    bool timedemoAlternate = false; // --timedemo-alternate [N]: culled and baseline frames in turn
    bool countFragments = false;    // --count-fragments: the timedemo counts the level's fragments
    // --fps N: frames start no more often than N a second; 0 runs them back to back. Without it,
    // kPlayFramesPerSecond for play and 0 for replays, --frames runs and timedemos (they stay fast and
    // exact).
    int fps = 0;
    bool help = false;    // --help, -h: print kHelp and end
    bool version = false; // --version: print kGameVersion and end
    // --players N (slots 0 to N-1, each replaying its own --keys), --join-frame SLOT:FRAME and
    // --leave-frame SLOT:FRAME.
    Roster roster;
    int view = 0; // --view SLOT: whose camera the window shows
    // Co-op over the network: --host [PORT] hosts a game (with --players N it starts once N players
    // are in); --join [ADDRESS[:PORT]] joins one (no address: the first game the local network
    // answers with); --list-games lists the games there and ends.
    bool host = false;
    int hostPort = 0; // 0: the protocol's default
    bool join = false;
    std::string joinAddress; // empty: look for a game on the local network
    bool listGames = false;
    std::string name;   // --name NAME: the player's name as given (checked by the shell)
    std::string record; // --record FILE: every networked frame's keys, one line a frame
    bool Networked() const { return host || join; }
};

// The usage line printed on standard error for a command line that cannot be read.
extern const char* const kUsage;

// What --help prints on standard output: the usage line, the options and the controls.
extern const char* const kHelp;

// Fills options from argv[1..argc). False with problem set for an unknown option, a missing or
// malformed value, or an option that needs another one. Issues no platform calls.
bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& problem);
