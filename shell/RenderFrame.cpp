#include "shell/RenderFrame.hpp"

#include "platform/Platform.hpp"
#include "play/SolidBlocks.hpp"
#include "shell/FrameStats.hpp"
#include "shell/MainLoop.hpp"
#include "shell/Timedemo.hpp"
#include "shell/World.hpp"

#include <GL/gl.h>

#include <string>

namespace {

// The back buffer of the last --frames frame, before it is presented.
void WriteScreenshot(World& world) {
    int width = 0;
    int height = 0;
    platform::SurfaceSize(world.mainWindow->deviceContext, width, height);
    const std::string& path = world.options.screenshot;
    if (!platform::WriteBackBufferPng(path.c_str(), width, height)) {
        ReportOptionFailure("cannot write the screenshot " + path);
        world.screenshotFailed = true;
    }
}

} // namespace

void RenderFrame(World& world) {
    world.octreeStats = OctreeStats{};
    Camera& camera = world.camera;
    ModelObject& penguin = world.penguin;

    // A fresh frame: depth testing on, colour and depth cleared, the model-view matrix reset.
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();

    // The eye: the camera's view, applied to the model-view matrix.
    camera.ApplyView();

    // The level: culled by the frustum rebuilt before this view was applied, so it follows the last frame's.
    // The timedemo's baseline calls every leaf's list instead, to show what culling saves.
    BeginLevelCount(world.timedemo);
    if (DrawsEveryLeaf(world.timedemo)) {
        Octree::DrawAll(&world.octree, world.octreeStats);
    } else {
        Octree::Draw(world.frustum, &world.octree, world.level.model, world.octreeStats);
    }
    EndLevelCount(world.timedemo);

    // The jump rises while jumping holds, then falls back while above the ground.
    if (world.jumping) {
        world.jumpHeight += 1.0f;
    } else if (world.jumpHeight > 0.0f) {
        world.jumpHeight -= 1.0f;
    }

    // The penguin stands where the camera looks, lifted by the jump.
    const float penguinX = camera.viewPoint.x;
    const float penguinZ = camera.viewPoint.z;

    // The penguin against the level, tested before the penguin is placed below, so the answer is
    // for the last frame's position. The drawn blocks are solid: touching one counts as touching
    // the level.
    BeginCpuSection(world.timedemo);
    world.collided =
        world.octree.Collide(penguin, world.level.model, world.octreeStats) ||
        SphereTouchesSolidBlocks(penguin.position, penguin.radius, world.doorSwitch, world.secondDoor);
    EndCpuSection(world.timedemo);

    // The penguin, placed at this frame's position and drawn.
    penguin.Place(penguinX, world.jumpHeight, penguinZ, 0.0f);
    penguin.Draw(false);

    // The switch, then the second door: each moves one step as it is drawn. The first door is
    // neither drawn nor moved.
    glPushMatrix();
    world.doorSwitch.DrawAndAdvance(world.blockTextures, switchSize.x, switchSize.y, switchSize.z);
    glPopMatrix();
    glPushMatrix();
    world.secondDoor.DrawAndAdvance(world.blockTextures, secondDoorSize.x, secondDoorSize.y,
                                    secondDoorSize.z);
    glPopMatrix();

    RecordFrameStats(world.stats, world.options.stats, world.framesRun + 1, world.octreeStats);
    if (!world.options.screenshot.empty() && IsLastFrame(world)) {
        WriteScreenshot(world);
    }
    // The finished frame goes to the screen.
    world.mainWindow->SwapFrame();
}
