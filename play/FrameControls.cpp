#include "play/FrameControls.hpp"

const float turnSpeed = 0.1f;
const float moveSpeed = 0.3f;
const float reboundSpeed = 0.2f;
const float strafeSpeed = 5.0f;

namespace {

bool WithinReach(float start, float z, float reach) {
    return start >= z - reach && start <= z + reach;
}

// Takes the camera to moved (the same camera after one walk or side-step) unless the move of its view
// point is refused.
void MoveUnlessBlocked(const FrameControls& controls, const Camera& moved) {
    if (controls.pathClear == nullptr ||
        controls.pathClear(controls.context, controls.camera.viewPoint, moved.viewPoint)) {
        controls.camera = moved;
    }
}

void Walk(const FrameControls& controls, float speed) {
    Camera moved = controls.camera;
    moved.Advance(speed);
    MoveUnlessBlocked(controls, moved);
}

void Sidestep(const FrameControls& controls, float speed) {
    Camera moved = controls.camera;
    moved.Sidestep(speed);
    MoveUnlessBlocked(controls, moved);
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
        Walk(controls, controls.collided ? -reboundSpeed * kReboundFactor : moveSpeed);
    }
    if (Holds(keys, keybit::kS) || Holds(keys, keybit::kDown)) {
        Walk(controls, controls.collided ? reboundSpeed * kReboundFactor : -moveSpeed);
    }
    if (Holds(keys, keybit::kA)) {
        Sidestep(controls, controls.collided ? strafeSpeed * kReboundFactor : -strafeSpeed);
    }
    if (Holds(keys, keybit::kD)) {
        Sidestep(controls, controls.collided ? -strafeSpeed * kReboundFactor : strafeSpeed);
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
