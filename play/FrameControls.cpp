#include "play/FrameControls.hpp"

#include "input/InputDevices.hpp"
#include "input/KeyCodes.hpp"

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

void RunFrameControls(const FrameControls& controls) {
    const InputDevices& input = controls.input;
    Camera& camera = controls.camera;
    if (input.IsKeyDown(key::kLeft)) {
        camera.OrbitAround(camera.viewPoint, turnSpeed, 0.0f, 1.0f, 0.0f);
    }
    if (input.IsKeyDown(key::kRight)) {
        camera.OrbitAround(camera.viewPoint, -turnSpeed, 0.0f, 1.0f, 0.0f);
    }
    if (input.IsKeyDown(key::kW)) {
        Walk(controls, controls.collided ? -reboundSpeed * kReboundFactor : moveSpeed);
    }
    if (input.IsKeyDown(key::kS)) {
        Walk(controls, controls.collided ? reboundSpeed * kReboundFactor : -moveSpeed);
    }
    if (input.IsKeyDown(key::kA)) {
        Sidestep(controls, controls.collided ? strafeSpeed * kReboundFactor : -strafeSpeed);
    }
    if (input.IsKeyDown(key::kD)) {
        Sidestep(controls, controls.collided ? -strafeSpeed * kReboundFactor : strafeSpeed);
    }
    // A jump starts only from the ground.
    if (input.IsKeyDown(key::kSpace) && controls.jumpHeight == 0.0f) {
        controls.jumping = true;
    }
    if (input.IsKeyDown(key::kEscape)) {
        controls.endProgram(controls.context);
    }
    if (controls.jumpHeight >= 12.0f) {
        controls.jumping = false;
    }
}

void RunBlockTriggers(const InputDevices& input, float penguinZ, MovingBlock& firstDoor,
                      MovingBlock& secondDoor, MovingBlock& doorSwitch) {
    if (input.IsKeyDown(key::kF)) {
        TriggerNearbyBlocks(penguinZ, firstDoor, secondDoor, doorSwitch);
    }
}
