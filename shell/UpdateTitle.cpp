#include "shell/UpdateTitle.hpp"

#include "platform/Platform.hpp"
#include "shell/World.hpp"

void UpdateTitle() {
    const float now = static_cast<float>(platform::TickCount()) * 0.001f;
    if (now - lastTitleTime > 1.0f) {
        lastTitleTime = now;
        platform::SetWindowTitle(mainWindow->window, "Velmora 11-Fast coding by Quisco && Tolvan");
    }
}
