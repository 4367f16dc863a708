#include "shell/StartUp.hpp"

#include "shell/BitmapFont.hpp"
#include "shell/Light.hpp"
#include "shell/SceneSetUp.hpp"
#include "shell/World.hpp"

#include <GL/gl.h>

namespace {

void ShowLoadingMessage() {
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    // The pushed matrix is never popped: the modelview stack keeps this level for the whole run.
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -1.0f);
    glColor3f(0.25f, 0.25f, 1.0f);
    glRasterPos2f(-0.15f, 0.0f);
    PrintText(comic48, "CARGANDO...");
    glFlush();
    mainWindow->SwapFrame();
}

} // namespace

void StartUp() {
    // The fonts: only comic48 is printed with; the Arial fonts are built all the same.
    BuildFont("Arial", 48, mainWindow->deviceContext, &arial48);
    BuildFont("Arial", 24, mainWindow->deviceContext, &arial24);
    BuildFont("Arial", 18, mainWindow->deviceContext, &arial18);
    BuildFont("Comic Sans", 48, mainWindow->deviceContext, &comic48);

    // The loading message stays on screen while the rest of the start-up runs.
    ShowLoadingMessage();

    // The keyboard: a device that cannot be had has shown its message; the game goes on without it.
    input.Init(mainWindow->window);

    // The camera's starting pose.
    camera.SetPose(startPosition.x, startPosition.y, startPosition.z, startViewPoint.x, startViewPoint.y,
                   startViewPoint.z, startUpVector.x, startUpVector.y, startUpVector.z);

    // Model textures, then the doors and the switch.
    LoadSceneAssets();

    // The level's octree and its display lists.
    BuildLevelOctree();

    // The light: its position is given only here, while the modelview matrix holds just the loading
    // message's translation, so it stays fixed relative to the eye.
    SetUpLight();
}
