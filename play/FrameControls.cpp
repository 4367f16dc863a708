#include "play/FrameControls.hpp"

const float turnSpeed = 0.1f;
const float moveSpeed = 0.3f;
const float reboundSpeed = 0.2f;
const float strafeSpeed = 5.0f;

namespace {

bool WithinReach(float start, float z, float reach) {
    return start >= z - reach && start <= z + reach;
}

// The camera moved by the fraction t of delta, eye and view point alike, in x and z.
Camera MovedBy(const Camera& camera, Vector3 delta, float t) {
    Camera moved = camera;
    moved.position.x += delta.x * t;
    moved.position.z += delta.z * t;
    moved.viewPoint.x += delta.x * t;
    moved.viewPoint.z += delta.z * t;
    return moved;
}

// Takes the camera to moved (the same camera after one walk or side-step), or, when pathClear
// refuses that, as far towards it as pathClear allows: a penguin walking into a wall stops at it.
void MoveAsFarAsClear(const FrameControls& controls, const Camera& moved) {
    Camera& camera = controls.camera;
    if (controls.pathClear == nullptr ||
        controls.pathClear(controls.context, camera.viewPoint, moved.viewPoint)) {
        camera = moved;
        return;
    }
    const Vector3 delta = moved.viewPoint - camera.viewPoint;
    float allowed = 0.0f;
    float refused = 1.0f;
    for (int step = 0; step < kMoveSearchSteps; ++step) {
        const float t = (allowed + refused) * 0.5f;
        if (controls.pathClear(controls.context, camera.viewPoint, MovedBy(camera, delta, t).viewPoint)) {
            allowed = t;
        } else {
            refused = t;
        }
    }
    if (allowed > 0.0f) {
        camera = MovedBy(camera, delta, allowed);
    }
}

// What a movement key does to the camera: walk (Advance) or side-step.
enum class Motion { Walk, Sidestep };

Camera Stepped(const Camera& camera, Motion motion, float amount) {
    Camera moved = camera;
    if (motion == Motion::Walk) {
        moved.Advance(amount);
    } else {
        moved.Sidestep(amount);
    }
    return moved;
}

// The key's own step by `own`, unless the penguin touches something that step points into: then the
// rebound by `rebound`. Either goes as far as the path allows.
void MoveByKey(const FrameControls& controls, Motion motion, float own, float rebound) {
    const Camera& camera = controls.camera;
    Camera moved = Stepped(camera, motion, own);
    if (controls.collided && (controls.headsInto == nullptr ||
                              controls.headsInto(controls.context, moved.viewPoint - camera.viewPoint))) {
        moved = Stepped(camera, motion, rebound);
    }
    MoveAsFarAsClear(controls, moved);
}

} // namespace

void TriggerNearbyBlocks(float z, MovingBlock& firstDoor, MovingBlock& secondDoor, MovingBlock& doorSwitch) {
    if (WithinReach(firstDoor.start.z, z, 100.0f) && firstDoor.current.y == firstDoor.start.y) {
        firstDoor.Trigger();
    }
    if (WithinReach(doorSwitch.start.z, z, 80.0f) && secondDoor.current.y == secondDoor.start.y) {
        doorSwitch.Trigger();
        if (doorSwitch.moving) {
            secondDoor.Trigger();
        }
    }
}

bool RunFrameControls(const FrameControls& controls) {
    const KeyMask keys = controls.keys;
    Camera& camera = controls.camera;
    if (Holds(keys, keybit::kLeft)) {
        camera.OrbitAround(camera.viewPoint, turnSpeed, 0.0f, 1.0f, 0.0f);
    }
    if (Holds(keys, keybit::kRight)) {
        camera.OrbitAround(camera.viewPoint, -turnSpeed, 0.0f, 1.0f, 0.0f);
    }
    // The Up and Down arrows walk like W and S; holding both of a pair walks once.
    if (Holds(keys, keybit::kW) || Holds(keys, keybit::kUp)) {
        MoveByKey(controls, Motion::Walk, moveSpeed, -reboundSpeed * kReboundFactor);
    }
    if (Holds(keys, keybit::kS) || Holds(keys, keybit::kDown)) {
        MoveByKey(controls, Motion::Walk, -moveSpeed, reboundSpeed * kReboundFactor);
    }
    if (Holds(keys, keybit::kA)) {
        MoveByKey(controls, Motion::Sidestep, -strafeSpeed, strafeSpeed * kReboundFactor);
    }
    if (Holds(keys, keybit::kD)) {
        MoveByKey(controls, Motion::Sidestep, strafeSpeed, -strafeSpeed * kReboundFactor);
    }
    // A jump starts only from the ground.
    if (Holds(keys, keybit::kSpace) && controls.jumpHeight == 0.0f) {
        controls.jumping = true;
    }
    if (controls.jumpHeight >= 12.0f) {
        controls.jumping = false;
    }
    return Holds(keys, keybit::kEscape);
}

void RunBlockTriggers(KeyMask keys, float penguinZ, MovingBlock& firstDoor, MovingBlock& secondDoor,
                      MovingBlock& doorSwitch) {
    if (Holds(keys, keybit::kF)) {
        TriggerNearbyBlocks(penguinZ, firstDoor, secondDoor, doorSwitch);
    }
}
