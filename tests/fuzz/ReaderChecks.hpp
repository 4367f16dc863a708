#pragma once

// One run of each reader over arbitrary bytes, the way the game uses it, with checks of what the
// reader gives back. Shared by the libFuzzer targets (tests/fuzz) and by the test that replays
// the inputs they once crashed on (tests/fuzz_regressions_test.cpp). A failed check prints what
// failed and aborts, which both the fuzzer and the test runner report as a crash.

#include "base/Message.hpp"
#include "input/KeyScript.hpp"
#include "model/BmpReader.hpp"
#include "model/Reader3DS.hpp"
#include "octree/Octree.hpp"
#include "play/StateCodec.hpp"
#include "shell/ScreenConfig.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace fuzzchecks {

inline void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "reader check failed: %s\n", what);
        std::abort();
    }
}

// Messages are expected on damaged input; they are dropped, but each must have a caption and text.
inline void DropMessage(const char* caption, const char* text, MessageIcon) {
    Require(caption != nullptr && text != nullptr, "a message without caption or text");
}

// "scr.txt": a refusal always says why; an accepted file gives a fullscreen flag of 0 or 1.
inline void CheckScreenConfig(const std::uint8_t* data, std::size_t size) {
    ScreenConfig config{-1, -1, -1, false};
    std::string problem;
    if (ParseScreenConfig(reinterpret_cast<const char*>(data), size, config, problem)) {
        Require(problem.empty(), "an accepted screen configuration came with a problem");
    } else {
        Require(!problem.empty(), "a refused screen configuration gave no reason");
        Require(config.width == -1 && config.height == -1 && config.colourBits == -1,
                "a refused screen configuration wrote its result");
    }
}

// Key scripts: a refusal names its line and leaves no spans; an accepted script keeps its spans
// ordered and within the limits, and replaying any frame sets only bit 7 of the snapshot bytes.
inline void CheckKeyScript(const std::uint8_t* data, std::size_t size) {
    KeyScript script;
    KeyScriptError error;
    if (!ParseKeyScript(reinterpret_cast<const char*>(data), size, script, error)) {
        Require(script.spans.empty(), "a refused key script kept spans");
        Require(!error.what.empty(), "a refused key script gave no reason");
        return;
    }
    Require(script.spans.size() <= kMaxKeySpans, "more spans than the limit");
    std::uint8_t keys[256] = {};
    for (const KeySpan& span : script.spans) {
        Require(span.first <= span.last && span.last <= kMaxScriptFrame, "a span out of order");
        Require(span.keys != 0, "a span without keys");
        script.HoldKeys(span.first, keys);
        script.HoldKeys(span.last, keys);
    }
    for (const std::uint8_t key : keys) {
        Require(key == 0 || key == 0x80, "a snapshot byte other than 0 or 0x80");
    }
}

// A serialised game state, as a network peer would hand it over: a refusal leaves the state as it
// was; an accepted state writes back to the same bytes.
inline void CheckState(const std::uint8_t* data, std::size_t size) {
    SimState state;
    state.frame = 7;
    if (!DecodeState(data, size, state)) {
        Require(state.frame == 7 && !state.players[0].present, "a refused state changed the state");
        return;
    }
    std::vector<std::uint8_t> again;
    EncodeState(state, again);
    Require(again.size() == size && std::memcmp(again.data(), data, size) == 0,
            "an accepted state does not write back to its bytes");
}

// Reads the last entry of an array of count entries, so the sanitizer sees any array shorter than
// its count says; false when a positive count comes without an array.
template <typename Entry> bool Touch(const Entry* entries, std::int32_t count) {
    if (count <= 0) {
        return true;
    }
    if (entries == nullptr) {
        return false;
    }
    volatile const unsigned char last = reinterpret_cast<const unsigned char*>(&entries[count - 1])[0];
    static_cast<void>(last);
    return true;
}

inline bool Terminated(const char* text) {
    return std::memchr(text, '\0', kTextFieldSize) != nullptr;
}

// 3DS files: names stay inside their fields, every object has a normal per vertex, and no finite
// normal is longer than a unit (sums too small to measure in single precision keep their tiny
// length).
inline void Check3ds(const std::uint8_t* data, std::size_t size) {
    Model model;
    Read3dsBytes(model, data, size, "fuzz.3DS");
    for (const Material& material : model.materials) {
        Require(Terminated(material.name) && Terminated(material.textureFile), "a material name overflows");
    }
    for (const MeshObject& object : model.objects) {
        Require(Terminated(object.name), "an object name overflows");
        Require(object.normals.size() == object.vertices.size(), "normals missing");
        for (const Vector3& n : object.normals) {
            const double length = std::sqrt(double(n.x) * n.x + double(n.y) * n.y + double(n.z) * n.z);
            Require(!std::isfinite(length) || length < 1.5, "a finite normal longer than a unit");
        }
    }
}

// The game's start-up short of GL over a level file: the reader with its normals, the octree build
// with its budget, and the leaf arrays the display lists are compiled from. A build over its
// budget (where the game ends with its out-of-memory message) has nothing more to check; any other
// leaf record indexes only vertices its object has, and every leaf has a record per object.
inline void CheckStartUp(const std::uint8_t* data, std::size_t size) {
    Model model;
    Read3dsBytes(model, data, size, "fuzz.3DS");
    Octree root;
    root.MeasureScene(&model);
    OctreeBuildState state;
    root.BuildSubtree(model, root.CountSceneTriangles(model), root.GetCentre(), root.GetWidth(), state);
    if (!state.overBudget) {
        int leaves = 0;
        const auto walk = [&](const Octree& node, const auto& self) -> void {
            for (const std::unique_ptr<Octree>& child : node.children) {
                if (child) {
                    self(*child, self);
                }
            }
            if (node.subdivided) {
                return;
            }
            ++leaves;
            Require(node.leaf != nullptr, "a leaf without batches");
            Require(node.leaf->batches.size() == model.objects.size(), "a leaf without a batch per object");
            for (std::size_t i = 0; i < model.objects.size(); ++i) {
                for (const std::uint32_t index : node.leaf->batches[i].indices) {
                    Require(index < std::uint32_t(model.objects[i].VertexCount()),
                            "a leaf index past its vertices");
                }
            }
        };
        walk(root, walk);
        Require(leaves == state.leafCount && leaves <= 4096, "leaf count");
    }
}

// BMP files: a decoded picture has a positive size within the reader's limits and all of its
// width x height x 3 bytes.
inline void CheckBmp(const std::uint8_t* data, std::size_t size) {
    const std::unique_ptr<RgbImage> image = DecodeBmpBytes(data, size);
    if (image == nullptr) {
        return;
    }
    Require(image->width > 0 && image->height > 0, "a picture without pixels");
    const std::int64_t pixels = std::int64_t(image->width) * image->height;
    Require(pixels <= (std::int64_t(1) << 26), "a picture beyond the reader's limit");
    Require(image->width <= kFixedMaxTextureSide && image->height <= kFixedMaxTextureSide,
            "a side longer than a texture may have");
    Require(Touch(image->pixels.get(), std::int32_t(pixels * 3)), "pixels missing");
}

} // namespace fuzzchecks
