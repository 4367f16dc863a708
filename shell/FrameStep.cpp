#include "shell/FrameStep.hpp"

#include "shell/FrameControls.hpp"
#include "shell/World.hpp"

namespace {

// Escape: the program ends at the next turn of the main loop.
void DestroyMainWindow() {
    mainWindow->Destroy();
}

} // namespace

void FrameStep() {
    const FrameControls controls{input, camera, collided, jumpHeight, jumping, DestroyMainWindow};
    RunFrameControls(controls);
    // The penguin stands where the previous render pass placed it.
    RunBlockTriggers(input, penguin.position.z, firstDoor, secondDoor, doorSwitch);
}
