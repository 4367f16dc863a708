#include "shell/RenderFrame.hpp"

#include "octree/OctreeStats.hpp"
#include "platform/Platform.hpp"
#include "play/SolidBlocks.hpp"
#include "shell/FrameStats.hpp"
#include "shell/MainLoop.hpp"
#include "shell/Timedemo.hpp"
#include "shell/World.hpp"

#include <GL/gl.h>

#include <cstdio>

namespace {

// The back buffer of the last --frames frame, before it is presented.
void WriteScreenshot() {
    int width = 0;
    int height = 0;
    platform::SurfaceSize(mainWindow->deviceContext, width, height);
    if (!platform::WriteBackBufferPng(options.screenshot.c_str(), width, height)) {
        std::fprintf(stderr, "jostrela: cannot write the screenshot %s\n", options.screenshot.c_str());
        screenshotFailed = true;
    }
}

} // namespace

void RenderFrame() {
    octreeStats = OctreeStats{};

    // A fresh frame: depth testing on, colour and depth cleared, the model-view matrix reset.
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();

    // The eye: the camera's view, applied to the model-view matrix.
    camera.ApplyView();

    // The level: culled by the frustum rebuilt before this view was applied, so it follows the last frame's.
    // The timedemo's baseline calls every leaf's list instead, to show what culling saves.
    BeginLevelCount();
    if (DrawsEveryLeaf()) {
        Octree::DrawAll(&octree);
    } else {
        Octree::Draw(frustum, &octree, level.model);
    }
    EndLevelCount();

    // The jump rises while jumping holds, then falls back while above the ground.
    if (jumping) {
        jumpHeight += 1.0f;
    } else if (jumpHeight > 0.0f) {
        jumpHeight -= 1.0f;
    }

    // The penguin stands where the camera looks, lifted by the jump.
    const float penguinX = camera.viewPoint.x;
    const float penguinZ = camera.viewPoint.z;

    // The penguin against the level, tested before the penguin is placed below, so the answer is
    // for the last frame's position. The drawn blocks are solid: touching one counts as touching
    // the level.
    BeginCpuSection();
    collided = octree.Collide(penguin, level.model) ||
               SphereTouchesSolidBlocks(penguin.position, penguin.radius, doorSwitch, secondDoor);
    EndCpuSection();

    // The penguin, placed at this frame's position and drawn.
    penguin.Place(penguinX, jumpHeight, penguinZ, 0.0f);
    penguin.Draw(false);

    // The switch, then the second door: each moves one step as it is drawn. The first door is
    // neither drawn nor moved.
    glPushMatrix();
    doorSwitch.DrawAndAdvance(switchSize.x, switchSize.y, switchSize.z, doorSwitch.texture, doorSwitch.kind,
                              doorSwitch.direction);
    glPopMatrix();
    glPushMatrix();
    secondDoor.DrawAndAdvance(secondDoorSize.x, secondDoorSize.y, secondDoorSize.z, secondDoor.texture,
                              secondDoor.kind, secondDoor.direction);
    glPopMatrix();

    RecordFrameStats(framesRun + 1);
    if (!options.screenshot.empty() && IsLastFrame()) {
        WriteScreenshot();
    }
    // The finished frame goes to the screen.
    mainWindow->SwapFrame();
}
