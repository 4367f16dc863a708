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
    // S1: only comic48 is printed with; the Arial fonts are built all the same.
    BuildFont("Arial", 48, mainWindow->deviceContext, &arial48);
    BuildFont("Arial", 24, mainWindow->deviceContext, &arial24);
    BuildFont("Arial", 18, mainWindow->deviceContext, &arial18);
    BuildFont("Comic Sans", 48, mainWindow->deviceContext, &comic48);

    // S2 to S4: the loading message stays on screen while the rest of the start-up runs.
    ShowLoadingMessage();

    // S5: a device that cannot be had has shown its message; the game goes on without it.
    input.Init(mainWindow->window);

    // S6
    camera.SetPose(startPosition.x, startPosition.y, startPosition.z, startViewPoint.x, startViewPoint.y,
                   startViewPoint.z, startUpVector.x, startUpVector.y, startUpVector.z);

    // S7: model textures, then the doors and the switch.
    LoadSceneAssets();

    // S8
    BuildLevelOctree();

    // S9: the light's position is given only here, while the modelview matrix holds just the loading
    // message's translation, so it stays fixed relative to the eye.
    SetUpLight();
}
