#include "shell/DrawnView.hpp"

#include "geometry/SegmentHits.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "play/SolidBlocks.hpp"

#include <algorithm>

namespace {

// The leash: how far the followed point may trail the rules' view point, and the share of the trail
// it makes up each rule step. A rebound off a wall swings the view point about 50 units in 6 frames;
// on this leash the eye moves about 12 units, never more than 8 a frame, and walking leaves it
// at most 22 units behind, made up within about 20 frames of stopping.
constexpr float kLeash = 22.0f;
constexpr float kCatchUp = 0.15f;
// The least the trail shrinks a rule step, so it ends: about 20 frames after the penguin stops the
// eye is the rules' own to the bit.
constexpr float kLeastCatchUp = 0.3f;
// Easing out after a pull-in or a lift: the share of the way back the eye makes each rule step, and
// the least step (in units, or in slope), so the last of the way does not take long.
constexpr float kEaseOut = 0.35f;
constexpr float kLeastEaseStep = 2.0f;
// A lifted line comes down halving its slope's excess each rule step: from the steepest to the rules'
// own in about eight.
constexpr float kSlopeEaseOut = 0.5f;
constexpr float kLeastSlopeStep = 0.05f;
// An eye nearer the view point than this stands in the penguin; the line is then lifted, looking
// down on the penguin from above the wall's foot, by the first of these slopes that leaves room.
constexpr float kComfortableEye = 26.0f;
constexpr float kLiftedSlopes[] = {0.8f, 1.6f, 3.2f, 8.0f, 30.0f};
// More rule steps than this between two drawings start the view afresh.
constexpr std::uint32_t kMostSteps = 60;
// The pulled-in distance, when the eye's sphere touches something there, is tried again this many
// times in even steps towards the view point.
constexpr int kRetreats = 8;

// True when a sphere of kEyeClearance round eye touches no level face and no solid block.
bool EyeClear(Vector3 eye, const SimState& state, const RulesLevel& level) {
    OctreeStats ignored{};
    return !level.octree->Collide(eye, kEyeClearance, *level.model, ignored) &&
           !SphereTouchesSolidBlocks(eye, kEyeClearance, state.doorSwitch, state.secondDoor);
}

// How far along the line from `from` towards `to` (whose length is length) the eye may stand: just
// in front of the first face or solid block the line meets, with its sphere clear of the level.
float ClearDistance(Vector3 from, Vector3 to, float length, const SimState& state, const RulesLevel& level) {
    const double hit = std::min({level.octree->FirstFaceOnSegment(from, to, *level.model),
                                 SegmentBoxHit(from, to, state.doorSwitch.current, switchSize),
                                 SegmentBoxHit(from, to, state.secondDoor.current, secondDoorSize)});
    if (hit > 1.0 && EyeClear(to, state, level)) {
        return length;
    }
    const float reach = hit > 1.0 ? length : static_cast<float>(hit * length) - kEyeClearance;
    const Vector3 direction = (to - from) / length;
    for (int retreat = 0; retreat < kRetreats; ++retreat) {
        const float distance = reach * static_cast<float>(kRetreats - retreat) / kRetreats;
        if (distance <= kNearestEye) {
            break;
        }
        if (EyeClear(from + direction * distance, state, level)) {
            return distance;
        }
    }
    // A penguin sunk into a face leaves less room than that: the eye stays on its side of the face.
    return hit > 1.0 ? kNearestEye : std::min(kNearestEye, static_cast<float>(hit * length) * 0.5f);
}

// One rule step of the leash: the trail shrinks by kCatchUp, or by kLeastCatchUp when that is more,
// and is held to kLeash; a trail that would shrink to nothing goes.
Vector3 FollowStep(Vector3 anchor, Vector3 viewPoint) {
    const Vector3 trail = anchor - viewPoint;
    const float length = Length(trail);
    const float shrunk = std::min({length * (1.0f - kCatchUp), length - kLeastCatchUp, kLeash});
    return shrunk <= 0.0f ? viewPoint : viewPoint + trail * (shrunk / length);
}

// One rule step of easing from value towards goal: share of the gap, at least leastStep (or the
// whole gap when smaller).
float EaseStep(float value, float goal, float share, float leastStep) {
    const float gap = goal - value;
    const float least = gap > 0.0f ? std::min(leastStep, gap) : std::max(-leastStep, gap);
    return gap > 0.0f ? value + std::max(gap * share, least) : value + std::min(gap * share, least);
}

// The point at distance along the line of the given slope (rise over run) from `from`, whose
// ground-plane heading is that of offset.
Vector3 OnLine(Vector3 from, Vector3 offset, float slope, float distance) {
    const float run = Length(Vector3(offset.x, 0.0f, offset.z));
    const Vector3 direction = Normalized(Vector3(offset.x / run, slope, offset.z / run));
    return from + direction * distance;
}

// The slope of the line from `from` (the penguin) the eye should stand on: the rules' own while it
// leaves the eye at least kComfortableEye out (or all of length, when shorter), else the first of
// kLiftedSlopes that does, else the one that lets it stand furthest out.
float WantedSlope(Vector3 from, Vector3 offset, float length, const SimState& state,
                  const RulesLevel& level) {
    const float ownSlope = offset.y / Length(Vector3(offset.x, 0.0f, offset.z));
    float best = ownSlope;
    float bestClear = ClearDistance(from, OnLine(from, offset, ownSlope, length), length, state, level);
    for (const float slope : kLiftedSlopes) {
        if (bestClear >= std::min(kComfortableEye, length)) {
            break;
        }
        const float clear = ClearDistance(from, OnLine(from, offset, slope, length), length, state, level);
        if (clear > bestClear) {
            best = slope;
            bestClear = clear;
        }
    }
    return best;
}

} // namespace

void FollowView(DrawnView& view, const SimState& state, const RulesLevel& level, int slot) {
    const Player& player = state.players[slot];
    const Camera& camera = player.camera;
    if (!player.present) {
        // Nobody to follow (a networked game before this machine's player is in): the camera as it is.
        view.eye = camera.position;
        view.target = camera.viewPoint;
        view.placed = false;
        return;
    }
    const std::uint32_t steps = state.frame - view.frame;
    const bool afresh = !view.placed || view.slot != slot || steps > kMostSteps;
    if (afresh) {
        view.anchor = camera.viewPoint;
    } else {
        for (std::uint32_t step = 0; step < steps; ++step) {
            view.anchor = FollowStep(view.anchor, camera.viewPoint);
        }
    }
    // The rules' eye carried along with the followed point (turning is never delayed), looking at the
    // penguin, which stands at the rules' view point unless it jumps.
    const bool caughtUp = view.anchor.x == camera.viewPoint.x && view.anchor.y == camera.viewPoint.y &&
                          view.anchor.z == camera.viewPoint.z;
    const Vector3 wanted = caughtUp ? camera.position : view.anchor + (camera.position - camera.viewPoint);
    const Vector3 penguin = player.penguin;
    const Vector3 offset = wanted - penguin;
    const float length = Length(offset);
    const float ownSlope = offset.y / Length(Vector3(offset.x, 0.0f, offset.z));
    // Lifting is at once; coming back down eases, one step a rule step.
    const float slope = WantedSlope(penguin, offset, length, state, level);
    if (afresh || slope >= view.slope) {
        view.slope = slope;
    } else {
        for (std::uint32_t step = 0; step < steps && view.slope > slope; ++step) {
            view.slope = std::max(slope, EaseStep(view.slope, slope, kSlopeEaseOut, kLeastSlopeStep));
        }
    }
    const bool ownLine = view.slope <= ownSlope;
    const Vector3 lineEnd = ownLine ? wanted : OnLine(penguin, offset, view.slope, length);
    const float clear = ClearDistance(penguin, lineEnd, length, state, level);
    // Pulling in is at once; only an eye that stood nearer than its line's end eases back out, a
    // free one follows the leash as it is.
    if (afresh || !view.pulledIn || clear <= view.distance) {
        view.distance = clear;
    } else {
        for (std::uint32_t step = 0; step < steps && view.distance < clear; ++step) {
            view.distance = std::min(clear, EaseStep(view.distance, clear, kEaseOut, kLeastEaseStep));
        }
    }
    view.eye = view.distance >= length ? lineEnd : penguin + (lineEnd - penguin) * (view.distance / length);
    view.target = penguin;
    view.pulledIn = view.distance < length;
    view.placed = true;
    view.slot = slot;
    view.frame = state.frame;
}

Camera DrawnCamera(const DrawnView& view, const Camera& camera) {
    Camera drawn = camera;
    drawn.position = view.eye;
    drawn.viewPoint = view.target;
    return drawn;
}
