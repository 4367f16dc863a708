#include "shell/FrameStep.hpp"

#include "shell/World.hpp"

namespace {

const int kEscape = 1;

} // namespace

void FrameStep() {
    // The program ends at the next turn of the main loop; the step itself goes on.
    if (input.IsKeyDown(kEscape)) {
        mainWindow->Destroy();
    }
}
