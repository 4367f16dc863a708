#include "shell/NetMainLoop.hpp"

#include "base/Message.hpp"
#include "diag/Trace.hpp"
#include "platform/Platform.hpp"
#include "play/StateCodec.hpp"
#include "shell/FrameReport.hpp"
#include "shell/NetGame.hpp"
#include "shell/RenderFrame.hpp"
#include "shell/WindowProc.hpp"
#include "shell/World.hpp"
#include "shell/WorldState.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::uint64_t kWaitingShownAfter = 500'000; // microseconds without a frame
constexpr std::uint64_t kWaitingRedrawEvery = 100'000;
constexpr std::uint64_t kNoticeShownFor = 4'000'000;
constexpr std::uint64_t kEndServedFor = 2'000'000; // the host serves its last frames this long at most
constexpr std::uint64_t kMaxBehind = 8;            // frames a late peer may run back to back

std::uint64_t Micros() {
    const std::uint64_t counter = platform::PerformanceCounter();
    const std::uint64_t frequency = platform::PerformanceFrequency();
    return counter / frequency * 1'000'000u + counter % frequency * 1'000'000u / frequency;
}

void Poll(NetGame& game, std::uint64_t now) {
    if (game.host) {
        game.host->poll(now);
    } else {
        game.client->poll(now);
    }
}

bool NextFrame(NetGame& game, net::FrameRecord& record) {
    return game.host ? game.host->nextFrame(record) : game.client->nextFrame(record);
}

std::string_view SessionName(const NetGame& game, int slot) {
    return game.host ? game.host->name(slot) : game.client->name(slot);
}

// A line on screen for a while, and on standard error: never a box, which would stop this machine
// and with it everyone's game.
void Notify(World& world, const std::string& text, std::uint64_t now) {
    world.notice = text;
    world.noticeUntil = now + kNoticeShownFor;
    WriteMessageLine("Aviso", text.c_str());
}

// "Esperando a NOMBRE..." for the slots of mask, their names joined by commas.
std::string WaitingText(const World& world, std::uint8_t mask) {
    std::string text;
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        if ((mask >> slot) & 1) {
            text += (text.empty() ? "" : ", ") + world.names[slot];
        }
    }
    return "Esperando a " + text + "...";
}

// The frames' keys of every slot, one line a frame: "FRAME PRESENT JOINED LEFT K0 K1 K2 K3", the
// masks in decimal; what an offline replay of the game is made from. The same bytes on every system
// (the file is written in binary mode: no carriage returns on Windows). Each line is flushed as it
// is written: a game that is killed or crashes leaves the record of every frame it ran, and the
// record shows how far a running game is.
void RecordFrame(std::FILE* file, const net::FrameRecord& record) {
    if (file != nullptr) {
        const net::FrameKeys& keys = record.keys;
        std::fprintf(file, "%u %u %u %u %u %u %u %u\n", record.frame, keys.present, keys.joined, record.left,
                     keys.keys[0], keys.keys[1], keys.keys[2], keys.keys[3]);
        std::fflush(file);
    }
}

// The state dump of a frame found out of step: beside --dump-state's file, else in the run folder.
void ReportDesync(World& world, std::uint32_t frame, std::uint64_t now) {
    const std::string& dump = world.options.dumpState;
    const std::string name = "desync-" + std::to_string(frame) + ".json";
    DumpGameState(CurrentState(world), (dump.empty() ? name : dump + "." + name).c_str());
    Notify(world, "Las partidas se han desincronizado en el frame " + std::to_string(frame) + ".", now);
}

// A test may put this peer out of step to see the games find it and mend it:
// JOSTRELA_TEST_DESYNC_FRAME moves this machine's player one unit aside after that frame. Never set
// in play.
std::uint32_t TestDesyncFrame() {
    const char* text = std::getenv("JOSTRELA_TEST_DESYNC_FRAME");
    return text != nullptr ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : net::kNoFrame;
}

// One frame the session released: the state to load or hand over, who leaves and who joins, the
// rules with every present player's keys (Escape is never one of them: a player's Escape leaves the
// game, it does not end everyone's), then this machine's keys and state hash to the session. False
// when this machine's player held Escape: its keys are not sent.
bool PlayFrame(World& world, NetGame& game, const net::FrameRecord& record, std::uint64_t now) {
    SimState& sim = world.sim;
    if (record.snapshot != nullptr) {
        // A state that cannot be read stays unloaded; the hashes then differ and the host resends it.
        DecodeState(record.snapshot, record.snapshotSize, sim);
    }
    if (record.snapshotWanted) {
        std::vector<std::uint8_t> bytes;
        EncodeState(sim, bytes);
        game.host->provideSnapshot(bytes.data(), bytes.size());
    }
    const RulesLevel level = world.Level();
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        if (((record.left >> slot) & 1) && RemovePlayer(sim, slot)) {
            Notify(world, world.names[slot] + " ha abandonado la partida.", now);
        }
    }
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        if ((record.keys.joined >> slot) & 1) {
            AddPlayer(sim, level, slot);
        }
        const std::string_view name = SessionName(game, slot);
        if (!name.empty()) {
            world.names[slot].assign(name.data(), name.size());
        }
    }
    world.input.Poll();
    world.help.Follow(world.input.keys);
    KeyMask keys[kMaxPlayers];
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        keys[slot] =
            static_cast<KeyMask>(record.keys.keys[static_cast<std::size_t>(slot)] & ~keybit::kEscape);
    }
    world.octreeStats = OctreeStats{};
    StepRules(sim, level, keys, world.octreeStats);
    const KeyMask local = KeyMaskFromSnapshot(world.input.keys);
    if (Holds(local, keybit::kEscape)) {
        return false;
    }
    static const std::uint32_t testDesyncFrame = TestDesyncFrame();
    if (record.frame == testDesyncFrame) {
        Camera& camera = sim.players[game.host ? 0 : game.client->slot()].camera;
        camera.position.x += 1.0f;
        camera.viewPoint.x += 1.0f;
    }
    const std::uint64_t hash = HashState(sim);
    std::uint32_t desync = net::kNoFrame;
    if (game.host) {
        game.host->submitLocalKeys(local);
        game.host->reportStateHash(record.frame, hash);
        desync = game.host->takeDesync();
    } else {
        game.client->submitLocalKeys(local);
        game.client->reportStateHash(record.frame, hash);
        desync = game.client->takeDesync();
    }
    if (desync != net::kNoFrame) {
        ReportDesync(world, desync, now);
    }
    return true;
}

// The message of a client's end, when it has come: the host refused it, closed the game or went
// silent, or never answered. Empty while it plays.
std::string ClientEnd(const NetGame& game) {
    const net::ClientSession& client = *game.client;
    if (client.state() == net::ClientSession::State::Refused) {
        switch (client.refusal()) {
        case net::RefusalReason::Version:
            return "La versi\xF3n del juego no coincide con la del anfitri\xF3n.";
        case net::RefusalReason::Files:
            return "Los archivos del nivel no coinciden con los del anfitri\xF3n.";
        case net::RefusalReason::Full:
            return "La partida est\xE1 llena.";
        }
    }
    if (client.state() != net::ClientSession::State::Ended) {
        return "";
    }
    if (client.endReason() == net::ClientSession::EndReason::NoHost) {
        return "No responde ninguna partida en " + game.address + ".";
    }
    return "El anfitri\xF3n ha cerrado la partida.";
}

// This machine's player quits: a client tells the host, the host ends the game for everyone.
void Part(NetGame& game) {
    if (game.host) {
        game.host->close();
    } else if (game.client->state() != net::ClientSession::State::Ended &&
               game.client->state() != net::ClientSession::State::Refused) {
        game.client->leave();
    }
}

// Draws the frozen picture again with text over it; the octree's counts stay the last frame's.
void DrawWaiting(World& world, const std::string& text) {
    const OctreeStats counts = world.octreeStats;
    world.waitingText = text;
    RenderFrame(world);
    world.waitingText.clear();
    world.octreeStats = counts;
}

} // namespace

int NetMainLoop(World& world, NetGame& game) {
    const Options& options = world.options;
    const std::uint64_t tick = options.fps > 0 ? 1'000'000u / static_cast<std::uint64_t>(options.fps) : 0;
    std::FILE* record = options.record.empty() ? nullptr : std::fopen(options.record.c_str(), "wb");
    if (!options.record.empty() && record == nullptr) {
        ReportOptionFailure("cannot write the record " + options.record);
        Part(game);
        return 1;
    }
    std::uint64_t due = 0;
    std::uint64_t lastRun = Micros();
    std::uint64_t lastWaitingDrawn = 0;
    std::uint64_t servedUntil = 0; // the host after its last frame: when it closes at the latest
    bool over = false;             // the window is destroyed; its quit request comes next
    platform::Event event{};
    for (;;) {
        if (platform::PeekEvent(event)) {
            if (event.kind == platform::EventKind::Quit) {
                Part(game);
                if (record != nullptr) {
                    std::fclose(record);
                }
                return event.code;
            }
            WindowProc(world, event);
            continue;
        }
        const std::uint64_t now = Micros();
        Poll(game, now);
        if (over) {
            continue;
        }
        if (servedUntil != 0) {
            if (game.host->allAcknowledged() || now >= servedUntil) {
                over = true;
                world.mainWindow.Destroy();
            } else {
                platform::SleepMilliseconds(1);
            }
            continue;
        }
        if (game.client) {
            const std::string end = ClientEnd(game);
            if (!end.empty()) {
                // The host closing is a normal end of the game; not getting in is a failure.
                const bool failed = game.client->state() == net::ClientSession::State::Refused ||
                                    game.client->endReason() == net::ClientSession::EndReason::NoHost;
                ShowMessage(failed ? "ERROR" : "Aviso", end.c_str(), MessageIcon::Information);
                over = true;
                world.mainWindow.Destroy();
                continue;
            }
        }
        // The host with --players N starts once N players are in.
        const bool mayStart =
            !game.host || world.sim.frame > 0 || game.host->playerCount() >= options.roster.players;
        net::FrameRecord frame;
        if (now >= due && mayStart && NextFrame(game, frame)) {
            due = std::max(due + tick, now - std::min(now, kMaxBehind * tick));
            lastRun = now;
            if (game.client) {
                world.options.view = game.client->slot();
            }
            RecordFrame(record, frame);
            if (!PlayFrame(world, game, frame, now)) {
                over = true;
                world.mainWindow.Destroy();
                continue;
            }
            if (now >= world.noticeUntil) {
                world.notice.clear();
            }
            RenderFrame(world);
            AfterDrawing(world);
            if (options.frames > 0 && static_cast<long long>(world.sim.frame) >= options.frames) {
                if (game.host) {
                    servedUntil = now + kEndServedFor;
                } else {
                    over = true;
                    world.mainWindow.Destroy();
                }
            }
            continue;
        }
        const std::uint8_t waiting = game.host ? game.host->waitingFor() : game.client->hostWaitingFor();
        if (waiting != 0 && now - lastRun >= kWaitingShownAfter &&
            now - lastWaitingDrawn >= kWaitingRedrawEvery) {
            lastWaitingDrawn = now;
            DrawWaiting(world, WaitingText(world, waiting));
        }
        platform::SleepMilliseconds(1);
    }
}
