#include "platform/Platform.hpp"
#include "platform/sdl/KeyMap.hpp"
#include "platform/sdl/PlatformState.hpp"

#include <SDL.h>

#include <cstdint>
#include <cstring>

namespace platform {

// SDL keeps the keyboard state with its video service's events: the device layer holds nothing of
// its own.
struct InputSystem {};

struct InputDevice {
    DeviceKind kind;
    bool formatSet;
    Window* window; // the foreground window of the cooperative level; null until set
    bool acquired;
};

bool HasKeyboardFocus(const Window* window) {
    return window != nullptr && SDL_GetKeyboardFocus() == window->sdl;
}

InputSystem* CreateInputSystem() {
    // The keyboard state comes with the video service's events.
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return nullptr;
    }
    return new InputSystem{};
}

InputDevice* CreateDevice(InputSystem* system, DeviceKind kind) {
    if (system == nullptr) {
        return nullptr;
    }
    return new InputDevice{kind, false, nullptr, false};
}

bool SetDataFormat(InputDevice* device) {
    if (device == nullptr) {
        return false;
    }
    device->formatSet = true;
    return true;
}

bool SetCooperativeLevel(InputDevice* device, Window* window) {
    if (device == nullptr || window == nullptr) {
        return false;
    }
    device->window = window;
    return true;
}

bool Acquire(InputDevice* device) {
    if (device == nullptr || !device->formatSet) {
        return false;
    }
    // Exclusive and foreground: only the window with the focus may hold the device.
    if (device->window != nullptr && !HasKeyboardFocus(device->window)) {
        device->acquired = false;
        return false;
    }
    if (device->kind == DeviceKind::Mouse && !device->acquired) {
        // Relative motion counts from the acquisition on.
        SDL_GetRelativeMouseState(nullptr, nullptr);
    }
    device->acquired = true;
    return true;
}

void Unacquire(InputDevice* device) {
    if (device != nullptr) {
        device->acquired = false;
    }
}

void ReleaseDevice(InputDevice* device) {
    delete device;
}

void ReleaseInputSystem(InputSystem* system) {
    delete system;
}

bool ReadDeviceState(InputDevice* device, std::size_t size, void* state) {
    if (device == nullptr || !device->acquired) {
        return false;
    }
    if (device->window != nullptr && !HasKeyboardFocus(device->window)) {
        device->acquired = false;
        return false;
    }
    if (device->kind == DeviceKind::Keyboard) {
        if (size != 256) {
            return false;
        }
        int count = 0;
        const Uint8* pressed = SDL_GetKeyboardState(&count);
        FillKeySnapshot(pressed, count, true, static_cast<std::uint8_t*>(state));
        return true;
    }
    if (size != 20) {
        return false;
    }
    int x = 0;
    int y = 0;
    const Uint32 buttons = SDL_GetRelativeMouseState(&x, &y);
    const std::int32_t axes[3] = {x, y, 0};
    std::uint8_t bytes[20] = {};
    std::memcpy(bytes, axes, sizeof axes);
    for (int i = 0; i < 8; ++i) {
        bytes[12 + i] = (buttons & (1u << i)) != 0 ? 0x80 : 0;
    }
    std::memcpy(state, bytes, sizeof bytes);
    return true;
}

} // namespace platform
