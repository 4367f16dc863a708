#include "shell/FrameStep.hpp"

#include "play/FrameControls.hpp"
#include "play/SolidBlocks.hpp"
#include "shell/World.hpp"

namespace {

// Escape: the program ends at the next turn of the main loop.
void DestroyMainWindow() {
    mainWindow->Destroy();
}

// The penguin, at its present height, may follow the view point from `from` to `to`: its centre
// crosses no face of the level the octree reaches within its radius and enters no solid block.
bool PenguinPathClear(Vector3 from, Vector3 to) {
    const Vector3 start(from.x, jumpHeight, from.z);
    const Vector3 end(to.x, jumpHeight, to.z);
    return !octree.PathCrossesFace(start, end, penguin.radius, level.model) &&
           !PathEntersSolidBlocks(start, end, doorSwitch, secondDoor);
}

} // namespace

void FrameStep() {
    const FrameControls controls{input,           camera, collided, jumpHeight, jumping, DestroyMainWindow,
                                 PenguinPathClear};
    RunFrameControls(controls);
    // The penguin stands where the previous render pass placed it.
    RunBlockTriggers(input, penguin.position.z, firstDoor, secondDoor, doorSwitch);
}
