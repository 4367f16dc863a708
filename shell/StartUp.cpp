#include "shell/StartUp.hpp"

#include "base/StopRequest.hpp"
#include "shell/BitmapFont.hpp"
#include "shell/Light.hpp"
#include "shell/SceneSetUp.hpp"
#include "shell/World.hpp"

#include <GL/gl.h>

namespace {

void ShowLoadingMessage(World& world) {
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    // The pushed matrix is never popped: the modelview stack keeps this level for the whole run.
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -1.0f);
    glColor3f(0.25f, 0.25f, 1.0f);
    glRasterPos2f(-0.15f, 0.0f);
    PrintText(world.comic48, "CARGANDO...");
    glFlush();
    world.mainWindow.SwapFrame();
}

} // namespace

bool StartUp(World& world) {
    // The fonts: only comic48 is printed with; the Arial fonts are built all the same. A font whose
    // face cannot be had keeps its lists empty and its text is not drawn: fonts fail silently.
    platform::Window* surface = world.mainWindow.window;
    BuildFont("Arial", 48, surface, &world.arial48);
    BuildFont("Arial", 24, surface, &world.arial24);
    BuildFont("Arial", 18, surface, &world.arial18);
    BuildFont("Comic Sans", 48, surface, &world.comic48);

    // The loading message stays on screen while the rest of the start-up runs.
    ShowLoadingMessage(world);

    // The keyboard: a device that cannot be had has shown its message, and the game goes on without
    // it (a replayed key script still drives the game); what was made before the failed step stays.
    world.input.Init(world.mainWindow.window);

    // After a stop signal the rest is not worth doing: the main loop's first turn takes the
    // signal as a close request.
    if (StopRequested()) {
        return true;
    }

    // Model textures, then the doors and the switch.
    if (!LoadSceneAssets(world)) {
        return false;
    }
    if (StopRequested()) {
        return true;
    }

    // The level's octree and its display lists.
    if (!BuildLevelOctree(world)) {
        return false;
    }

    // Every slot's camera waits at its own start spot until its player joins (the main loop joins
    // them), so a view of a slot whose player comes later looks down the nave meanwhile.
    const RulesLevel level = world.Level();
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        AddPlayer(world.sim, level, slot);
    }
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        RemovePlayer(world.sim, slot);
    }

    // The light: its position is given only here, while the modelview matrix holds just the loading
    // message's translation, so it stays fixed relative to the eye.
    SetUpLight();
    return true;
}
