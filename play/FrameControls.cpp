#include "play/FrameControls.hpp"

#include "input/InputDevices.hpp"

const float turnSpeed = 0.1f;
const float moveSpeed = 0.3f;
const float reboundSpeed = 0.2f;
const float strafeSpeed = 5.0f;

namespace {

// Key codes of the keyboard snapshot.
constexpr int kEscape = 1;
constexpr int kW = 17;
constexpr int kA = 30;
constexpr int kS = 31;
constexpr int kD = 32;
constexpr int kF = 33;
constexpr int kSpace = 57;
constexpr int kLeft = 203;
constexpr int kRight = 205;

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
    if (input.IsKeyDown(kLeft)) {
        camera.OrbitAround(camera.viewPoint, turnSpeed, 0.0f, 1.0f, 0.0f);
    }
    if (input.IsKeyDown(kRight)) {
        camera.OrbitAround(camera.viewPoint, -turnSpeed, 0.0f, 1.0f, 0.0f);
    }
    if (input.IsKeyDown(kW)) {
        Walk(controls, controls.collided ? -reboundSpeed * kReboundFactor : moveSpeed);
    }
    if (input.IsKeyDown(kS)) {
        Walk(controls, controls.collided ? reboundSpeed * kReboundFactor : -moveSpeed);
    }
    if (input.IsKeyDown(kA)) {
        Sidestep(controls, controls.collided ? strafeSpeed * kReboundFactor : -strafeSpeed);
    }
    if (input.IsKeyDown(kD)) {
        Sidestep(controls, controls.collided ? -strafeSpeed * kReboundFactor : strafeSpeed);
    }
    // A jump starts only from the ground.
    if (input.IsKeyDown(kSpace) && controls.jumpHeight == 0.0f) {
        controls.jumping = true;
    }
    if (input.IsKeyDown(kEscape)) {
        controls.endProgram(controls.context);
    }
    if (controls.jumpHeight >= 12.0f) {
        controls.jumping = false;
    }
}

void RunBlockTriggers(const InputDevices& input, float penguinZ, MovingBlock& firstDoor,
                      MovingBlock& secondDoor, MovingBlock& doorSwitch) {
    if (input.IsKeyDown(kF)) {
        TriggerNearbyBlocks(penguinZ, firstDoor, secondDoor, doorSwitch);
    }
}
