#pragma once

#include "geometry/Camera.hpp"
#include "geometry/Vector3.hpp"
#include "play/Player.hpp"
#include "play/RulesStep.hpp"

#include <cstdint>

// The eye a player's view is drawn from: drawing state only, never part of the rules' state, so
// every dump, hash and peer stays as the rules' camera makes it. It departs from the rules' eye in
// two ways. The rules' eye stands 43 units behind the penguin, outside any wall the penguin backs
// up to: the drawn eye is pulled along the line from the penguin towards the rules' eye to just in
// front of the first level face or solid block in the way, at once, and eases back out over a few
// frames. Where that line leaves too little room behind the penguin, the line is lifted, so the eye
// looks down on the penguin instead of standing in it. And a penguin rebounding off a wall throws the rules'
// camera some 50 units back and forth every few frames: the drawn eye follows the rules' eye on a short leash
// that takes up that bouncing, so the view holds still while the penguin bounces in it.
struct DrawnView {
    bool placed = false;     // false until the first follow; the next one then starts afresh
    int slot = 0;            // the player whose camera it follows
    std::uint32_t frame = 0; // the rules' frame it last followed
    Vector3 anchor{0, 0, 0}; // the rules' view point, followed on the leash
    float distance = 0.0f;   // the drawn eye's distance from the penguin, eased
    float slope = 0.0f;      // rise over run of the line the eye stands on, eased back down
    bool pulledIn = false;   // the last follow's eye stood nearer than the leash put it
    Vector3 eye{0, 0, 0};    // the last follow's eye
    Vector3 target{0, 0, 0}; // and the point it looks at: the penguin's centre
};

// Brings view up to state's frame for slot's camera: one step of the leash and of the easing out
// for each rule step since the last follow (none for the same frame, at most a second's worth),
// then the pull-in against the level and the solid blocks as state has them. A view never placed,
// or following another slot, starts at the rules' eye. The eye keeps a sphere of kEyeClearance
// clear of every face, enough for the near plane at 1 of a 45-degree view up to 4:1 wide, and never
// comes nearer the penguin than kNearestEye, unless a face is nearer still (a penguin sunk into a
// face): then it stands half way to the face. A slot with no player gets its camera as it is. Writes view
// only; issues no GL calls, allocates nothing, counts nothing; the same bits on every build.
void FollowView(DrawnView& view, const SimState& state, const RulesLevel& level, int slot);

constexpr float kEyeClearance = 2.0f;
constexpr float kNearestEye = 2.0f;

// camera with the view's eye and target in place of its own position and view point.
Camera DrawnCamera(const DrawnView& view, const Camera& camera);
