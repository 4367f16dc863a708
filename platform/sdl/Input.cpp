#include "platform/Platform.hpp"
#include "platform/sdl/KeyMap.hpp"
#include "platform/sdl/PlatformState.hpp"

#include <SDL.h>

#include <cstdint>
#include <cstring>

namespace platform {

namespace {

// SDL keeps the keyboard and mouse state with its video service's events, in its one format: a
// device holds only what the game set up for it.
struct Device {
    bool made;
    Window* window; // the foreground window of the cooperative level; null until set
    bool acquired;
};

// Exclusive and foreground: only the window with the focus may hold the device.
bool Acquire(Device& device, bool mouse) {
    if (!device.made) {
        return false;
    }
    if (device.window != nullptr && !HasKeyboardFocus(device.window)) {
        device.acquired = false;
        return false;
    }
    if (mouse && !device.acquired) {
        // Relative motion counts from the acquisition on.
        SDL_GetRelativeMouseState(nullptr, nullptr);
    }
    device.acquired = true;
    return true;
}

// True when the device may be read now; a device that cannot is taken back for the next read.
bool Readable(Device& device, bool mouse) {
    if (device.acquired && (device.window == nullptr || HasKeyboardFocus(device.window))) {
        return true;
    }
    device.acquired = false;
    Acquire(device, mouse);
    return false;
}

// Binds device to window's focus and acquires it when the window has the focus.
void Bind(Device& device, Window* window, bool mouse) {
    device.window = window;
    Acquire(device, mouse);
}

} // namespace

struct Input {
    Device keyboard;
    Device mouse;
};

bool HasKeyboardFocus(const Window* window) {
    return window != nullptr && SDL_GetKeyboardFocus() == window->sdl;
}

InputStep OpenInput(Window* window, Input*& input) {
    input = nullptr;
    // The keyboard state comes with the video service's events.
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return InputStep::System;
    }
    input = new Input{};
    input->keyboard = Device{true, nullptr, false};
    // The cooperative level needs a window to bind the device to.
    if (window == nullptr) {
        return InputStep::KeyboardLevel;
    }
    Bind(input->keyboard, window, false);
    input->mouse = Device{true, nullptr, false};
    Bind(input->mouse, window, true);
    return InputStep::Done;
}

bool ReadKeys(Input* input, std::uint8_t keys[256]) {
    if (input == nullptr || !Readable(input->keyboard, false)) {
        return false;
    }
    int count = 0;
    const Uint8* pressed = SDL_GetKeyboardState(&count);
    FillKeySnapshot(pressed, count, true, keys);
    return true;
}

bool ReadMouse(Input* input, std::uint8_t state[20]) {
    if (input == nullptr || !Readable(input->mouse, true)) {
        return false;
    }
    int x = 0;
    int y = 0;
    const Uint32 buttons = SDL_GetRelativeMouseState(&x, &y);
    const std::int32_t axes[3] = {x, y, 0};
    std::memcpy(state, axes, sizeof axes);
    for (int i = 0; i < 8; ++i) {
        state[12 + i] = (buttons & (1u << i)) != 0 ? 0x80 : 0;
    }
    return true;
}

void CloseInput(Input* input) {
    delete input;
}

} // namespace platform
