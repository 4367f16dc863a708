#include "shell/FrameStep.hpp"

#include "play/FrameControls.hpp"
#include "play/SolidBlocks.hpp"
#include "shell/World.hpp"

namespace {

// Escape: the program ends at the next turn of the main loop. context is the world.
void DestroyMainWindow(void* context) {
    static_cast<World*>(context)->mainWindow->Destroy();
}

// The penguin, at its present height, may follow the view point from `from` to `to`: its centre
// crosses no face of the level the octree reaches within its radius and enters no solid block.
// context is the world.
bool PenguinPathClear(void* context, Vector3 from, Vector3 to) {
    const World& world = *static_cast<const World*>(context);
    const Vector3 start(from.x, world.jumpHeight, from.z);
    const Vector3 end(to.x, world.jumpHeight, to.z);
    return !world.octree.PathCrossesFace(start, end, world.penguin.radius, world.level.model) &&
           !PathEntersSolidBlocks(start, end, world.doorSwitch, world.secondDoor);
}

} // namespace

void FrameStep(World& world) {
    const FrameControls controls{world.input,   world.camera,      world.collided,   world.jumpHeight,
                                 world.jumping, DestroyMainWindow, PenguinPathClear, &world};
    RunFrameControls(controls);
    // The penguin stands where the previous render pass placed it.
    RunBlockTriggers(world.input, world.penguin.position.z, world.firstDoor, world.secondDoor,
                     world.doorSwitch);
}
