#include "shell/WindowProc.hpp"

#include "shell/World.hpp"

void WindowProc(World& world, const platform::Event& event) {
    if (event.kind == platform::EventKind::Resize) {
        // Without a window (after Destroy) there is no viewport to set.
        if (world.mainWindow.window != nullptr) {
            GLWindow::Resize(event.width, event.height);
        }
    } else if (event.kind == platform::EventKind::Close) {
        world.mainWindow.Destroy();
    }
}
