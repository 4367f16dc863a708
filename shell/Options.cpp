#include "shell/Options.hpp"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const kUsage =
    "usage: jostrela [--fps N] [--frames N] [--screenshot FILE.png] [--stats FILE] [--keys FILE] "
    "[--dump-state FILE] [--trace FILE] [--timedemo [N]] [--timedemo-baseline [N]] "
    "[--timedemo-alternate [N]] [--count-fragments] [--players N] [--view SLOT] "
    "[--join-frame SLOT:FRAME] [--leave-frame SLOT:FRAME] [--host [PORT]] [--join [ADDRESS[:PORT]]] "
    "[--list-games] [--name NAME] [--record FILE] [--help] [--version]";

const char* const kHelp =
    "Jostrela 3d: walk the penguin through the church. Run from the folder holding scr.txt,\n"
    "MODELOS/ and Texturas/ (the installed jostrela command and ./play.sh do that for you).\n"
    "\n"
    "Controls:\n"
    "  Left, Right     turn the camera round the penguin\n"
    "  W, S; Up, Down  walk forward, back\n"
    "  A, D            step left, right\n"
    "  Space           jump\n"
    "  F               open the doors near the penguin (the switch by the second door)\n"
    "  Escape          quit\n"
    "  F1              show or hide the controls (in Spanish)\n"
    "\n"
    "Options:\n"
    "  --fps N                 start at most N frames a second (0: as fast as the machine goes);\n"
    "                          60 when playing, unpaced for --keys, --frames and --timedemo\n"
    "  --frames N              end after N frames\n"
    "  --screenshot FILE.png   save the last frame of --frames as a PNG\n"
    "  --keys FILE             replay a key script (\"FIRST LAST KEY[+KEY...]\" a line) instead of\n"
    "                          the keyboard\n"
    "  --dump-state FILE       write the game state as JSON at the end\n"
    "  --trace FILE            write that state after every frame, one JSON object a line\n"
    "  --stats FILE            write the octree's counts of every frame\n"
    "  --timedemo [N]          fly a fixed camera path for N frames (1000) and report the frame rate\n"
    "  --timedemo-baseline [N] the same, drawing every part of the level without culling\n"
    "  --timedemo-alternate [N] culled and unculled frames in turn, with their ratio\n"
    "  --count-fragments       the timedemo also counts the level's fragments\n"
    "  --players N             N penguins (1 to 4), each replaying its own --keys, given N times\n"
    "  --view SLOT             show the camera of player SLOT (0 to N-1; 0 by default)\n"
    "  --join-frame SLOT:FRAME player SLOT joins before frame FRAME (0 by default)\n"
    "  --leave-frame SLOT:FRAME player SLOT leaves before frame FRAME\n"
    "                          (both again for a slot joined and left several times)\n"
    "  --host [PORT]           host a game on the local network (UDP port 45730 by default); with\n"
    "                          --players N it starts once N players are in, else at once\n"
    "  --join [ADDRESS[:PORT]] join the game at ADDRESS (IPv4, IPv6 in brackets, or a host name);\n"
    "                          without one, the first game found on the local network\n"
    "  --list-games            list the games on the local network and end\n"
    "  --name NAME             your name in a networked game (your login name by default; at most\n"
    "                          16 letters)\n"
    "  --record FILE           in a networked game, write every frame's keys of every player\n"
    "  -h, --help              print this and end\n"
    "  --version               print the version and end\n"
    "\n"
    "Files:\n"
    "  scr.txt         the screen: Ancho=, Alto= (window size), Bits= (colour depth) and\n"
    "                  Fullscreen= (1 for 800 x 600 fullscreen, 0 for a window), in this order\n"
    "  MODELOS/        pinguino.3DS, the penguin, and church.3DS, the level\n"
    "  Texturas/       the BMP textures of the models and the doors\n"
    "\n"
    "Exit codes:\n"
    "  0               a normal end, --help, --version, or a window that could not be opened\n"
    "  1               a texture that cannot be opened, a level too large for the memory, or an\n"
    "                  output file that cannot be written\n"
    "  2               a command line, key script or --trace file the game cannot use\n";

namespace {

// A whole decimal number from 1 to INT_MAX.
bool ReadCount(const char* text, int& value) {
    if (text == nullptr || *text < '0' || *text > '9') {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < 1 || parsed > INT_MAX) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

// A non-empty file name as the value of option.
bool ReadFileName(const char* option, const char* value, std::string& name, std::string& problem) {
    if (value == nullptr || *value == '\0') {
        problem = std::string(option) + " needs a file name";
        return false;
    }
    name = value;
    return true;
}

// The frames of --timedemo and --timedemo-baseline: the next argument when it is not another
// option, else the default. True when the next argument was taken.
bool ReadTimedemo(const char* option, const char* value, int& frames, bool& taken, std::string& problem) {
    constexpr int kDefaultTimedemoFrames = 1000;
    taken = value != nullptr && std::strncmp(value, "--", 2) != 0;
    if (!taken) {
        frames = kDefaultTimedemoFrames;
        return true;
    }
    // Each frame keeps its time (twice, sorted for the report): a bound keeps that to megabytes.
    constexpr int kMaxTimedemoFrames = 1000000;
    if (!ReadCount(value, frames) || frames > kMaxTimedemoFrames) {
        problem = std::string(option) + " takes a whole number of frames from 1 to 1000000";
        return false;
    }
    return true;
}

// "SLOT:FRAME" with SLOT from 0 to 3 and FRAME a whole number from 0 to INT_MAX.
bool ReadSlotFrame(const char* text, int& slot, long long& frame) {
    if (text == nullptr || text[0] < '0' || text[0] > '3' || text[1] != ':') {
        return false;
    }
    slot = text[0] - '0';
    int value = 0;
    if (std::strcmp(text + 2, "0") == 0) {
        frame = 0;
        return true;
    }
    if (!ReadCount(text + 2, value)) {
        return false;
    }
    frame = value;
    return true;
}

// True when --join-frame or --leave-frame named the slot.
bool Told(const Roster& roster, int slot) {
    return !roster.joinFrames[slot].empty() || !roster.leaveFrames[slot].empty();
}

// The checks of the players' options against each other.
bool CheckPlayers(const Options& options, std::string& problem) {
    const int keyScripts = static_cast<int>(options.keys.size());
    if (options.roster.players == 1 && keyScripts > 1) {
        problem = "--keys is given once per player: add --players";
        return false;
    }
    if (options.roster.players > 1 && keyScripts != options.roster.players) {
        problem = "--players " + std::to_string(options.roster.players) + " needs --keys given " +
                  std::to_string(options.roster.players) + " times, once per player";
        return false;
    }
    if (options.view >= options.roster.players) {
        problem = "--view names a slot beyond --players";
        return false;
    }
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        if (Told(options.roster, slot) && slot >= options.roster.players) {
            problem = "--join-frame and --leave-frame name a slot beyond --players";
            return false;
        }
        if (!StaysAlternate(options.roster, slot)) {
            problem =
                "the --join-frame and --leave-frame of slot " + std::to_string(slot) +
                " do not alternate: each leave comes after its join, each join after the leave before it";
            return false;
        }
    }
    if (options.roster.players > 1 && options.timedemo > 0) {
        problem = "--timedemo flies one camera: leave out --players";
        return false;
    }
    return true;
}

// The checks of a networked game's options: one machine, one player, its own keys at most.
bool CheckNetworked(const Options& options, std::string& problem) {
    if (options.host && options.join) {
        problem = "--host and --join: a game is hosted or joined, not both";
        return false;
    }
    if (options.join && options.roster.players > 1) {
        problem = "--players is the host's: leave it out of --join";
        return false;
    }
    if (options.keys.size() > 1) {
        problem = "--keys is given once in a networked game, for this machine's player";
        return false;
    }
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        if (Told(options.roster, slot) || options.view != 0) {
            problem = "--join-frame, --leave-frame and --view replay a game offline: leave them out";
            return false;
        }
    }
    if (options.timedemo > 0) {
        problem = "--timedemo flies one camera: leave out --host and --join";
        return false;
    }
    return true;
}

// A whole decimal frame rate from 0 to 1000.
bool ReadRate(const char* text, int& value) {
    constexpr int kMaxRate = 1000;
    if (text != nullptr && std::strcmp(text, "0") == 0) {
        value = 0;
        return true;
    }
    return ReadCount(text, value) && value <= kMaxRate;
}

} // namespace

bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& problem) {
    int fps = -1; // not given
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0) {
            options.help = true;
            return true;
        } else if (std::strcmp(option, "--version") == 0) {
            options.version = true;
            return true;
        } else if (std::strcmp(option, "--fps") == 0) {
            if (!ReadRate(value, fps)) {
                problem = "--fps needs a whole number of frames a second from 0 to 1000";
                return false;
            }
            ++i;
        } else if (std::strcmp(option, "--frames") == 0) {
            if (!ReadCount(value, options.frames)) {
                problem = "--frames needs a whole number of frames from 1 up";
                return false;
            }
            ++i;
        } else if (std::strcmp(option, "--screenshot") == 0) {
            if (value == nullptr || *value == '\0') {
                problem = "--screenshot needs a file name";
                return false;
            }
            options.screenshot = value;
            ++i;
        } else if (std::strcmp(option, "--stats") == 0) {
            if (!ReadFileName(option, value, options.stats, problem)) {
                return false;
            }
            ++i;
        } else if (std::strcmp(option, "--keys") == 0) {
            std::string file;
            if (!ReadFileName(option, value, file, problem)) {
                return false;
            }
            if (options.keys.size() == kMaxPlayers) {
                problem = "--keys is given at most once per player, four times";
                return false;
            }
            options.keys.push_back(file);
            ++i;
        } else if (std::strcmp(option, "--players") == 0) {
            if (!ReadCount(value, options.roster.players) || options.roster.players > kMaxPlayers) {
                problem = "--players needs a number of players from 1 to 4";
                return false;
            }
            ++i;
        } else if (std::strcmp(option, "--view") == 0) {
            if (value == nullptr || value[0] < '0' || value[0] > '3' || value[1] != '\0') {
                problem = "--view needs a slot from 0 to 3";
                return false;
            }
            options.view = value[0] - '0';
            ++i;
        } else if (std::strcmp(option, "--join-frame") == 0 || std::strcmp(option, "--leave-frame") == 0) {
            const bool join = std::strcmp(option, "--join-frame") == 0;
            int slot = 0;
            long long frame = 0;
            if (!ReadSlotFrame(value, slot, frame)) {
                problem = std::string(option) + " needs SLOT:FRAME, a slot from 0 to 3 and a frame from 0 up";
                return false;
            }
            (join ? options.roster.joinFrames : options.roster.leaveFrames)[slot].push_back(frame);
            ++i;
        } else if (std::strcmp(option, "--dump-state") == 0) {
            if (!ReadFileName(option, value, options.dumpState, problem)) {
                return false;
            }
            ++i;
        } else if (std::strcmp(option, "--trace") == 0) {
            if (!ReadFileName(option, value, options.trace, problem)) {
                return false;
            }
            ++i;
        } else if (std::strcmp(option, "--timedemo") == 0 ||
                   std::strcmp(option, "--timedemo-baseline") == 0 ||
                   std::strcmp(option, "--timedemo-alternate") == 0) {
            bool taken = false;
            if (!ReadTimedemo(option, value, options.timedemo, taken, problem)) {
                return false;
            }
            options.timedemoBaseline =
                options.timedemoBaseline || std::strcmp(option, "--timedemo-baseline") == 0;
            options.timedemoAlternate =
                options.timedemoAlternate || std::strcmp(option, "--timedemo-alternate") == 0;
            i += taken ? 1 : 0;
        } else if (std::strcmp(option, "--host") == 0) {
            options.host = true;
            if (value != nullptr && std::strncmp(value, "--", 2) != 0) {
                if (!ReadCount(value, options.hostPort) || options.hostPort > 65535) {
                    problem = "--host takes a port from 1 to 65535";
                    return false;
                }
                ++i;
            }
        } else if (std::strcmp(option, "--join") == 0) {
            options.join = true;
            if (value != nullptr && std::strncmp(value, "--", 2) != 0) {
                options.joinAddress = value;
                ++i;
            }
        } else if (std::strcmp(option, "--list-games") == 0) {
            options.listGames = true;
        } else if (std::strcmp(option, "--name") == 0) {
            if (value == nullptr || *value == '\0') {
                problem = "--name needs a name";
                return false;
            }
            options.name = value;
            ++i;
        } else if (std::strcmp(option, "--record") == 0) {
            if (!ReadFileName(option, value, options.record, problem)) {
                return false;
            }
            ++i;
        } else if (std::strcmp(option, "--count-fragments") == 0) {
            options.countFragments = true;
        } else {
            problem = std::string("unknown option ") + option;
            return false;
        }
    }
    if (!(options.Networked() ? CheckNetworked(options, problem) : CheckPlayers(options, problem))) {
        return false;
    }
    if (options.timedemoBaseline && options.timedemoAlternate) {
        problem = "--timedemo-alternate draws the baseline every second frame: leave out --timedemo-baseline";
        return false;
    }
    if (options.countFragments && options.timedemo == 0) {
        problem = "--count-fragments reports in the timedemo, which is missing";
        return false;
    }
    if (options.timedemo > 0) {
        if (options.frames > 0) {
            problem = "--timedemo sets its own number of frames: leave out --frames";
            return false;
        }
        if (!options.keys.empty()) {
            problem = "--timedemo replays its own camera path: leave out --keys";
            return false;
        }
        // A timedemo ends like a run of --frames (a screenshot then shows its last frame).
        options.frames = options.timedemo;
    }
    if (!options.screenshot.empty() && options.frames == 0) {
        problem = "--screenshot is taken at the end of --frames, which is missing";
        return false;
    }
    // Replays, counted runs and timedemos run unpaced unless asked, so they stay fast and their
    // states stay exactly what they were.
    if (!options.record.empty() && !options.Networked()) {
        problem = "--record writes a networked game's keys: add --host or --join";
        return false;
    }
    // A networked game runs at the shared rate whatever drives it: every peer runs the same frames.
    const bool measured = (options.frames > 0 || !options.keys.empty()) && !options.Networked();
    options.fps = fps >= 0 ? fps : measured ? 0 : kPlayFramesPerSecond;
    return true;
}
