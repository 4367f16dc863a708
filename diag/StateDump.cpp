#include "diag/StateDump.hpp"

#include "base/Json.hpp"
#include "platform/OutputFile.hpp"
#include "play/StateCodec.hpp"

namespace {

void AppendVector(std::string& out, Vector3 v) {
    const float values[3] = {v.x, v.y, v.z};
    AppendJsonFloats(out, values, 3);
}

void AppendBool(std::string& out, bool value) {
    out += value ? "true" : "false";
}

void AppendBlock(std::string& out, const char* name, const MovingBlock& block) {
    out += '"';
    out += name;
    out += "\": {\"current\": ";
    AppendVector(out, block.current);
    out += ", \"moving\": ";
    AppendBool(out, block.moving);
    out += '}';
}

void AppendCamera(std::string& out, const Camera& camera) {
    out += "{\"position\": ";
    AppendVector(out, camera.position);
    out += ", \"viewPoint\": ";
    AppendVector(out, camera.viewPoint);
    out += ", \"up\": ";
    AppendVector(out, camera.up);
    out += ", \"strafe\": ";
    AppendVector(out, camera.strafe);
    out += '}';
}

void AppendJump(std::string& out, float jumpHeight, bool jumping, bool collided) {
    out += ", \"jumpHeight\": ";
    AppendJsonFloat(out, jumpHeight);
    out += ", \"jumping\": ";
    AppendBool(out, jumping);
    out += ", \"collided\": ";
    AppendBool(out, collided);
}

// value as sixteen lower-case hexadecimal digits.
void AppendHex(std::string& out, std::uint64_t value) {
    static const char digits[] = "0123456789abcdef";
    for (int shift = 60; shift >= 0; shift -= 4) {
        out += digits[(value >> shift) & 0xF];
    }
}

// Each slot in order: whether it is in the game, and if it is, its camera, penguin, jump and contact.
void AppendPlayers(std::string& out, const Player* players) {
    out += ", \"players\": [";
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        const Player& player = players[slot];
        out += slot == 0 ? "{\"slot\": " : ", {\"slot\": ";
        out += std::to_string(slot);
        out += ", \"present\": ";
        AppendBool(out, player.present);
        if (!player.present) {
            out += '}';
            continue;
        }
        out += ", \"camera\": ";
        AppendCamera(out, player.camera);
        out += ", \"penguin\": ";
        AppendVector(out, player.penguin);
        AppendJump(out, player.jumpHeight, player.jumping, player.collided);
        out += '}';
    }
    out += ']';
}

} // namespace

GameState RulesState(const SimState& sim, bool withPlayers) {
    const Player& first = sim.players[0];
    GameState state{};
    state.frames = sim.frame;
    state.camera = &first.camera;
    state.penguin = &first.penguin;
    state.jumpHeight = first.jumpHeight;
    state.jumping = first.jumping;
    state.collided = first.collided;
    state.firstDoor = &sim.firstDoor;
    state.secondDoor = &sim.secondDoor;
    state.doorSwitch = &sim.doorSwitch;
    state.players = withPlayers ? sim.players : nullptr;
    state.stateHash = withPlayers ? HashState(sim) : 0;
    return state;
}

std::string StateJson(const GameState& state) {
    std::string out;
    AppendStateJson(out, state);
    return out;
}

void AppendStateJson(std::string& out, const GameState& state) {
    out += "{\"frames\": ";
    out += std::to_string(state.frames);
    out += ", \"camera\": ";
    AppendCamera(out, *state.camera);
    if (state.penguin != nullptr) {
        out += ", \"penguin\": ";
        AppendVector(out, *state.penguin);
    }
    AppendJump(out, state.jumpHeight, state.jumping, state.collided);
    if (state.firstDoor != nullptr) {
        out += ", \"blocks\": {";
        AppendBlock(out, "firstDoor", *state.firstDoor);
        out += ", ";
        AppendBlock(out, "secondDoor", *state.secondDoor);
        out += ", ";
        AppendBlock(out, "doorSwitch", *state.doorSwitch);
        out += '}';
    }
    if (state.players != nullptr) {
        AppendPlayers(out, state.players);
        out += ", \"stateHash\": \"";
        AppendHex(out, state.stateHash);
        out += '"';
    }
    if (state.octree != nullptr) {
        const OctreeStats& counts = *state.octree;
        out += ", \"octree\": {\"leafCount\": ";
        out += std::to_string(state.leafCount);
        out += ", \"leavesDrawn\": ";
        out += std::to_string(counts.leavesDrawn);
        out += ", \"drawNodesTested\": ";
        out += std::to_string(counts.drawNodesTested);
        out += ", \"collideNodesTested\": ";
        out += std::to_string(counts.collideNodesTested);
        out += ", \"facesTested\": ";
        out += std::to_string(counts.facesTested);
        out += '}';
    }
    out += "}\n";
}

bool WriteStateDump(const char* path, const GameState& state) {
    const std::string json = StateJson(state);
    platform::OutputFile output;
    if (!platform::OpenOutput(output, path)) {
        return false;
    }
    platform::WriteOutput(output, json.data(), json.size(), false);
    return platform::CloseOutput(output);
}
