#include "play/StateCodec.hpp"

#include <cmath>
#include <cstring>
#include <initializer_list>

namespace {

constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kPlayerBytes = 12 * 4 + 4 + 1 + 3 * 4;
constexpr std::size_t kBlockBytes = 9 * 4 + 3;
constexpr int kBlocks = 3;

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutFloat(std::vector<std::uint8_t>& out, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutU32(out, bits);
}

void PutVector(std::vector<std::uint8_t>& out, Vector3 v) {
    PutFloat(out, v.x);
    PutFloat(out, v.y);
    PutFloat(out, v.z);
}

// Reads in order from a buffer whose size has been checked; remembers whether every float was finite.
struct Reader {
    const std::uint8_t* at;
    bool finite = true;

    std::uint8_t Byte() { return *at++; }
    std::uint32_t U32() {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            value |= static_cast<std::uint32_t>(*at++) << shift;
        }
        return value;
    }
    float Float() {
        const std::uint32_t bits = U32();
        float value = 0.0f;
        std::memcpy(&value, &bits, sizeof value);
        finite = finite && std::isfinite(value);
        return value;
    }
    Vector3 Vector() {
        const float x = Float();
        const float y = Float();
        return Vector3(x, y, Float());
    }
};

} // namespace

void EncodeState(const SimState& state, std::vector<std::uint8_t>& out) {
    out.clear();
    out.push_back(kStateVersion);
    PutU32(out, state.frame);
    std::uint8_t present = 0;
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        present = static_cast<std::uint8_t>(present | (state.players[slot].present ? 1u << slot : 0u));
    }
    out.push_back(present);
    for (const Player& player : state.players) {
        if (!player.present) {
            continue;
        }
        PutVector(out, player.camera.position);
        PutVector(out, player.camera.viewPoint);
        PutVector(out, player.camera.up);
        PutVector(out, player.camera.strafe);
        PutFloat(out, player.jumpHeight);
        out.push_back(static_cast<std::uint8_t>((player.jumping ? 1 : 0) | (player.collided ? 2 : 0)));
        PutVector(out, player.penguin);
    }
    for (const MovingBlock* each : {&state.firstDoor, &state.secondDoor, &state.doorSwitch}) {
        const MovingBlock& block = *each;
        PutVector(out, block.start);
        PutVector(out, block.current);
        PutVector(out, block.target);
        out.push_back(block.moving ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(block.kind));
        out.push_back(static_cast<std::uint8_t>(block.direction));
    }
}

bool DecodeState(const std::uint8_t* bytes, std::size_t size, SimState& state) {
    if (bytes == nullptr || size < kHeaderBytes || bytes[0] != kStateVersion || bytes[5] > 0x0F) {
        return false;
    }
    const std::uint8_t present = bytes[5];
    std::size_t players = 0;
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        players += (present >> slot) & 1u;
    }
    if (size != kHeaderBytes + players * kPlayerBytes + kBlocks * kBlockBytes) {
        return false;
    }
    // The blocks' texture slots are the drawing's, not the rules': they stay as they were.
    SimState read;
    read.firstDoor.texture = state.firstDoor.texture;
    read.secondDoor.texture = state.secondDoor.texture;
    read.doorSwitch.texture = state.doorSwitch.texture;
    Reader in{bytes + 1};
    read.frame = in.U32();
    in.Byte();
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        Player& player = read.players[slot];
        if (((present >> slot) & 1u) == 0) {
            continue;
        }
        player.present = true;
        player.camera.position = in.Vector();
        player.camera.viewPoint = in.Vector();
        player.camera.up = in.Vector();
        player.camera.strafe = in.Vector();
        player.jumpHeight = in.Float();
        const std::uint8_t flags = in.Byte();
        if (flags > 3) {
            return false;
        }
        player.jumping = (flags & 1) != 0;
        player.collided = (flags & 2) != 0;
        player.penguin = in.Vector();
    }
    for (MovingBlock* each : {&read.firstDoor, &read.secondDoor, &read.doorSwitch}) {
        MovingBlock& block = *each;
        block.start = in.Vector();
        block.current = in.Vector();
        block.target = in.Vector();
        const std::uint8_t moving = in.Byte();
        const std::uint8_t kind = in.Byte();
        const std::uint8_t direction = in.Byte();
        if (moving > 1 || kind > 2 || direction > 5) {
            return false;
        }
        block.moving = moving == 1;
        block.kind = static_cast<BlockKind>(kind);
        block.direction = static_cast<BlockDirection>(direction);
    }
    if (!in.finite) {
        return false;
    }
    state = read;
    return true;
}

std::uint64_t HashState(const SimState& state) {
    std::vector<std::uint8_t> bytes;
    EncodeState(state, bytes);
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint8_t byte : bytes) {
        hash = (hash ^ byte) * 1099511628211ull;
    }
    return hash;
}
