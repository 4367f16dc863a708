#include "play/RulesStep.hpp"

#include "geometry/Contact.hpp"
#include "geometry/PathTests.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "play/FrameControls.hpp"
#include "play/SolidBlocks.hpp"

namespace {

// Where the start spots lie: slot 0's is the game's start; across the nave 40 units apart (more than
// a penguin's width, so no two touch), then further rows behind the first, towards the west door.
const float kSpotX[kMaxPlayers] = {0.0f, 40.0f, -40.0f, 80.0f};
constexpr int kSpotRows = 3;
constexpr float kRowStep = 40.0f;

// What the path rule of one player's frame step needs.
struct PathContext {
    const SimState* state;
    const RulesLevel* level;
    int slot;
};

// Where the penguin of player stands once the step places it: under the view point, at its height.
Vector3 PlacementOf(const Player& player) {
    return Vector3(player.camera.viewPoint.x, player.jumpHeight, player.camera.viewPoint.z);
}

// The sphere centred at `after` lies deeper in a face of the level or a solid block than SinksDeeper
// allows for the same sphere centred at `before`.
bool SinksIntoSolids(const SimState& state, const RulesLevel& level, Vector3 before, Vector3 after) {
    return level.octree->SinksIntoFace(before, after, level.penguinRadius, *level.model) ||
           SinksIntoSolidBlocks(before, after, level.penguinRadius, state.doorSwitch, state.secondDoor);
}

// The penguin of the moving player, at its present height, may follow the view point from `from` to
// `to`: its centre crosses no face of the level within its radius, enters no solid block and enters
// no other penguin's sphere (at the place that penguin takes this frame), and its sphere ends no
// deeper in a face or a solid block than it was where the last step placed it (SinksDeeper).
// context is a PathContext.
bool PenguinPathClear(void* context, Vector3 from, Vector3 to) {
    const PathContext& path = *static_cast<const PathContext*>(context);
    const SimState& state = *path.state;
    const RulesLevel& level = *path.level;
    const Player& mover = state.players[path.slot];
    const float height = mover.jumpHeight;
    const Vector3 start(from.x, height, from.z);
    const Vector3 end(to.x, height, to.z);
    if (level.octree->PathCrossesFace(start, end, level.penguinRadius, *level.model) ||
        PathEntersSolidBlocks(start, end, state.doorSwitch, state.secondDoor) ||
        SinksIntoSolids(state, level, mover.penguin, end)) {
        return false;
    }
    for (int other = 0; other < kMaxPlayers; ++other) {
        const Player& player = state.players[other];
        if (other != path.slot && player.present &&
            PathEntersSphere(start, end, PlacementOf(player), level.penguinRadius)) {
            return false;
        }
    }
    return true;
}

// A key's step `move` of the moving player's view point points into something its penguin touches
// where the last step placed it: a face of the level, a solid block or another penguin (at its last
// placement, as the contact test found them). context is a PathContext.
bool PenguinHeadsInto(void* context, Vector3 move) {
    const PathContext& path = *static_cast<const PathContext*>(context);
    const SimState& state = *path.state;
    const RulesLevel& level = *path.level;
    const float radius = level.penguinRadius;
    const Vector3 centre = state.players[path.slot].penguin;
    if (level.octree->MoveHeadsIntoFace(centre, radius, move, *level.model) ||
        MoveHeadsIntoSolidBlocks(centre, radius, move, state.doorSwitch, state.secondDoor)) {
        return true;
    }
    for (int other = 0; other < kMaxPlayers; ++other) {
        const Player& player = state.players[other];
        if (other != path.slot && player.present && SpheresTouch(centre, player.penguin, radius) &&
            MoveHeadsIntoPoint(centre, move, player.penguin)) {
            return true;
        }
    }
    return false;
}

// True when a penguin of slot centred at centre would touch another present penguin's, at its last
// placement.
bool TouchesOtherPenguin(const SimState& state, int slot, Vector3 centre, float radius) {
    for (int other = 0; other < kMaxPlayers; ++other) {
        if (other != slot && state.players[other].present &&
            SpheresTouch(centre, state.players[other].penguin, radius)) {
            return true;
        }
    }
    return false;
}

// The jump rises while jumping holds, then falls back while above the ground; a unit at a time, and
// only where the sphere sinks no deeper into a face or a solid block than it was where the last step
// placed it: a rise that would ends the jump there, a fall that would waits (the penguin stands on
// what it came down on until it walks off).
void RaiseOrLowerJump(const SimState& state, const RulesLevel& level, Player& player) {
    float height = player.jumpHeight;
    if (player.jumping) {
        height += 1.0f;
    } else if (height > 0.0f) {
        height -= 1.0f;
    } else {
        return;
    }
    const Vector3 centre(player.camera.viewPoint.x, height, player.camera.viewPoint.z);
    if (SinksIntoSolids(state, level, player.penguin, centre)) {
        player.jumping = false;
        return;
    }
    player.jumpHeight = height;
}

// The frame step of one player; true when it held Escape.
bool PlayerFrameStep(SimState& state, const RulesLevel& level, int slot) {
    Player& player = state.players[slot];
    PathContext path{&state, &level, slot};
    const FrameControls controls{player.keys,    player.camera,    player.collided,  player.jumpHeight,
                                 player.jumping, PenguinPathClear, PenguinHeadsInto, &path};
    const bool escape = RunFrameControls(controls);
    // The penguin stands where the last step placed it.
    RunBlockTriggers(player.keys, player.penguin.z, state.firstDoor, state.secondDoor, state.doorSwitch);
    return escape;
}

// The pose and placement of start spot `spot` (row-major over the rows and the four places across).
void TakeSpot(Player& player, int spot) {
    const float x = kSpotX[spot % kMaxPlayers];
    const float z = kRowStep * static_cast<float>(spot / kMaxPlayers);
    player = Player{};
    player.present = true;
    player.camera.SetPose(x, 10.0f, z + 40.0f, x, 0.0f, z - 3.0f, 0.0f, 1.0f, 0.0f);
    player.penguin = Vector3(x, 0.0f, z);
}

} // namespace

bool StepRules(SimState& state, const RulesLevel& level, const KeyMask keys[kMaxPlayers],
               OctreeStats& counts) {
    bool escape = false;
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        Player& player = state.players[slot];
        if (player.present) {
            player.keys = keys[slot];
            escape = PlayerFrameStep(state, level, slot) || escape;
        }
    }
    if (escape) {
        return true;
    }
    for (Player& player : state.players) {
        if (player.present) {
            player.camera.RefreshStrafe();
            RaiseOrLowerJump(state, level, player);
        }
    }
    // Every contact is tested at the last step's placements, before any penguin moves on, so two
    // penguins always agree whether they touch.
    const float radius = level.penguinRadius;
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        Player& player = state.players[slot];
        if (player.present) {
            player.collided =
                level.octree->Collide(player.penguin, radius, *level.model, counts) ||
                SphereTouchesSolidBlocks(player.penguin, radius, state.doorSwitch, state.secondDoor) ||
                TouchesOtherPenguin(state, slot, player.penguin, radius);
        }
    }
    for (Player& player : state.players) {
        if (player.present) {
            player.penguin = PlacementOf(player);
        }
    }
    // The blocks step once a frame, after every player: the switch, then the second door, each
    // waiting while its step would close on a penguin. The first door never moves.
    Vector3 centres[kMaxPlayers];
    int count = 0;
    for (const Player& player : state.players) {
        if (player.present) {
            centres[count++] = player.penguin;
        }
    }
    AdvanceSolidBlocks(state.doorSwitch, state.secondDoor, centres, count, radius);
    ++state.frame;
    return false;
}

bool AddPlayer(SimState& state, const RulesLevel& level, int slot) {
    if (slot < 0 || slot >= kMaxPlayers || state.players[slot].present) {
        return false;
    }
    OctreeStats uncounted{};
    const float radius = level.penguinRadius;
    for (int k = 0; k < kMaxPlayers * kSpotRows; ++k) {
        // The slot's own place across the nave comes first, then the others in order.
        const int spot = k == 0 ? slot : (k == slot ? 0 : k);
        Player candidate;
        TakeSpot(candidate, spot);
        const Vector3 centre = candidate.penguin;
        if (!level.octree->Collide(centre, radius, *level.model, uncounted) &&
            !SphereTouchesSolidBlocks(centre, radius, state.doorSwitch, state.secondDoor) &&
            !TouchesOtherPenguin(state, slot, centre, radius)) {
            state.players[slot] = candidate;
            return true;
        }
    }
    return false;
}

bool RemovePlayer(SimState& state, int slot) {
    if (slot < 0 || slot >= kMaxPlayers || !state.players[slot].present) {
        return false;
    }
    state.players[slot].present = false;
    return true;
}

void PlaceBlocks(SimState& state) {
    state.firstDoor.PlaceBlock(-110.0f, -40.0f, -450.0f, BlockKind::Door, BlockDirection::PlusY);
    state.secondDoor.PlaceBlock(-110.0f, -40.0f, -870.0f, BlockKind::Door, BlockDirection::PlusY);
    state.doorSwitch.PlaceBlock(-150.0f, -10.0f, -864.0f, BlockKind::Switch, BlockDirection::MinusZ);
}

SimState EmptyState() {
    SimState state;
    PlaceBlocks(state);
    return state;
}
