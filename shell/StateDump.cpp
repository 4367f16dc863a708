#include "shell/StateDump.hpp"

#include "base/Json.hpp"

#include <cstdio>

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

} // namespace

std::string StateJson(const GameState& state) {
    std::string out;
    AppendStateJson(out, state);
    return out;
}

void AppendStateJson(std::string& out, const GameState& state) {
    out += "{\"frames\": ";
    out += std::to_string(state.frames);
    out += ", \"camera\": {\"position\": ";
    AppendVector(out, state.camera->position);
    out += ", \"viewPoint\": ";
    AppendVector(out, state.camera->viewPoint);
    out += ", \"up\": ";
    AppendVector(out, state.camera->up);
    out += ", \"strafe\": ";
    AppendVector(out, state.camera->strafe);
    out += '}';
    if (state.penguin != nullptr) {
        out += ", \"penguin\": ";
        AppendVector(out, *state.penguin);
    }
    out += ", \"jumpHeight\": ";
    AppendJsonFloat(out, state.jumpHeight);
    out += ", \"jumping\": ";
    AppendBool(out, state.jumping);
    out += ", \"collided\": ";
    AppendBool(out, state.collided);
    if (state.firstDoor != nullptr) {
        out += ", \"blocks\": {";
        AppendBlock(out, "firstDoor", *state.firstDoor);
        out += ", ";
        AppendBlock(out, "secondDoor", *state.secondDoor);
        out += ", ";
        AppendBlock(out, "doorSwitch", *state.doorSwitch);
        out += '}';
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
    std::FILE* file = std::fopen(path, "wb");
    bool written = false;
    if (file != nullptr) {
        written = std::fwrite(json.data(), 1, json.size(), file) == json.size();
        written = std::fclose(file) == 0 && written;
    }
    return written;
}
