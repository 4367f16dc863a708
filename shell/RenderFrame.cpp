#include "shell/RenderFrame.hpp"

#include "diag/Timedemo.hpp"
#include "platform/Platform.hpp"
#include "play/SolidBlocks.hpp"
#include "shell/MainLoop.hpp"
#include "shell/PlayerMarks.hpp"
#include "shell/View.hpp"
#include "shell/World.hpp"

#include <GL/gl.h>

#include <cmath>
#include <string>

namespace {

// How high above a penguin's centre its name floats.
constexpr float kNameHeight = 32.0f;

// The back buffer of the last --frames frame, before it is presented.
void WriteScreenshot(World& world) {
    int width = 0;
    int height = 0;
    platform::SurfaceSize(world.mainWindow.window, width, height);
    const std::string& path = world.options.screenshot;
    if (!platform::WriteBackBufferPng(path.c_str(), width, height)) {
        ReportOptionFailure("cannot write the screenshot " + path);
        world.screenshotFailed = true;
    }
}

// The turn about the vertical axis, in degrees, that takes the start view's direction (down -z)
// to camera's view direction on the ground plane: 0 for the start pose, 90 looking down -x.
float HeadingDegrees(const Camera& camera) {
    const float dx = camera.viewPoint.x - camera.position.x;
    const float dz = camera.viewPoint.z - camera.position.z;
    return std::atan2(-dx, -dz) * (180.0f / 3.14159265f);
}

// Draws model turned by heading degrees about the vertical axis through its position, so the
// penguin faces where its player looks. Moves nothing: the model's position and yaw are kept.
void DrawFacing(const ModelObject& model, float heading, const std::uint8_t* tint) {
    glPushMatrix();
    glTranslatef(model.position.x, model.position.y, model.position.z);
    glRotatef(heading, 0.0f, 1.0f, 0.0f);
    glTranslatef(-model.position.x, -model.position.y, -model.position.z);
    model.Draw(false, tint);
    glPopMatrix();
}

} // namespace

void RenderFrame(World& world) {
    const SimState& sim = world.sim;

    // Before this frame's view is applied: culling uses the previous frame's view.
    ExtractPlanes(world.frustum);

    // A fresh frame: depth testing on, colour and depth cleared, the model-view matrix reset.
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();

    // The eye: the viewed player's camera, from the drawn eye that stays inside the church and holds
    // still while the penguin rebounds. The frustum extracted above is that of the last drawing's
    // drawn eye, so culling still lags the view by one frame.
    const int view = world.options.view;
    FollowView(world.drawnView, sim, world.Level(), view);
    ApplyView(DrawnCamera(world.drawnView, sim.players[view].camera));

    // The level: culled by the frustum rebuilt before this view was applied, so it follows the last frame's.
    // The timedemo's baseline calls every leaf's list instead, to show what culling saves.
    BeginLevelCount(world.timedemo);
    if (DrawsEveryLeaf(world.timedemo)) {
        Octree::DrawAll(&world.octree, world.octreeStats);
    } else {
        Octree::Draw(world.frustum, &world.octree, world.level.model, world.octreeStats);
    }
    EndLevelCount(world.timedemo);

    // Each penguin where the rules placed it, in its slot's colour.
    ModelObject& penguin = world.penguin;
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        const Player& player = sim.players[slot];
        if (player.present) {
            penguin.Place(player.penguin.x, player.penguin.y, player.penguin.z, 0.0f);
            DrawFacing(penguin, HeadingDegrees(player.camera), SlotTint(slot));
        }
    }

    // The switch, then the second door, where the rules moved them. The first door is never drawn.
    glPushMatrix();
    sim.doorSwitch.Draw(world.blockTextures, switchSize.x, switchSize.y, switchSize.z);
    glPopMatrix();
    glPushMatrix();
    sim.secondDoor.Draw(world.blockTextures, secondDoorSize.x, secondDoorSize.y, secondDoorSize.z);
    glPopMatrix();

    // With company, every player's name above its penguin.
    if (world.networked || world.options.roster.players > 1) {
        static const std::uint8_t white[3] = {255, 255, 255};
        for (int slot = 0; slot < kMaxPlayers; ++slot) {
            const Player& player = sim.players[slot];
            if (player.present) {
                const std::uint8_t* tint = SlotTint(slot);
                const char* name = world.names[slot].empty() ? SlotName(slot) : world.names[slot].c_str();
                DrawNameAbove(world.arial24, name, player.penguin.x, player.penguin.y + kNameHeight,
                              player.penguin.z, tint != nullptr ? tint : white);
            }
        }
    }

    DrawOverlay(world.arial24, world.waitingText, 0.0f);
    DrawOverlay(world.arial24, world.notice, -0.3f);
    DrawControlsHelp(world.help, world.arial24);

    if (!world.options.screenshot.empty() && IsLastFrame(world)) {
        WriteScreenshot(world);
    }
    // The finished frame goes to the screen.
    world.mainWindow.SwapFrame();
}
