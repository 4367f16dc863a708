#include "shell/UpdateTitle.hpp"

#include "platform/Platform.hpp"
#include "shell/World.hpp"

void UpdateTitle(World& world) {
    const float now = static_cast<float>(platform::TickCount()) * 0.001f;
    if (now - world.lastTitleTime > 1.0f) {
        world.lastTitleTime = now;
        platform::SetWindowTitle(world.mainWindow.window, "Velmora 11-Fast coding by Quisco && Tolvan");
    }
}
