#include "platform/win32/PlatformState.hpp"

#define DIRECTINPUT_VERSION 0x0800
#include <dinput.h>

namespace platform {

struct InputSystem {
    IDirectInput8A* directInput;
};

struct InputDevice {
    IDirectInputDevice8A* device;
    DeviceKind kind;
};

namespace {

// DirectInput may answer "input lost" to an acquisition while it hands the device over; a few
// more tries settle it, and a device that stays lost is tried again next frame rather than held in
// a loop here.
const int kAcquireTries = 4;

} // namespace

InputSystem* CreateInputSystem() {
    IDirectInput8A* directInput = nullptr;
    if (FAILED(DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                  reinterpret_cast<void**>(&directInput), nullptr))) {
        return nullptr;
    }
    return new InputSystem{directInput};
}

InputDevice* CreateDevice(InputSystem* system, DeviceKind kind) {
    if (system == nullptr) {
        return nullptr;
    }
    IDirectInputDevice8A* device = nullptr;
    const GUID& guid = kind == DeviceKind::Keyboard ? GUID_SysKeyboard : GUID_SysMouse;
    if (FAILED(system->directInput->CreateDevice(guid, &device, nullptr))) {
        return nullptr;
    }
    return new InputDevice{device, kind};
}

bool SetDataFormat(InputDevice* device) {
    if (device == nullptr) {
        return false;
    }
    const DIDATAFORMAT* format = device->kind == DeviceKind::Keyboard ? &c_dfDIKeyboard : &c_dfDIMouse2;
    return SUCCEEDED(device->device->SetDataFormat(format));
}

bool SetCooperativeLevel(InputDevice* device, Window* window) {
    if (device == nullptr || window == nullptr) {
        return false;
    }
    return SUCCEEDED(device->device->SetCooperativeLevel(window->handle, DISCL_EXCLUSIVE | DISCL_FOREGROUND));
}

bool Acquire(InputDevice* device) {
    if (device == nullptr) {
        return false;
    }
    for (int i = 0; i < kAcquireTries; ++i) {
        const HRESULT result = device->device->Acquire();
        if (result != DIERR_INPUTLOST) {
            return SUCCEEDED(result);
        }
    }
    return false;
}

void Unacquire(InputDevice* device) {
    if (device != nullptr) {
        device->device->Unacquire();
    }
}

void ReleaseDevice(InputDevice* device) {
    if (device != nullptr) {
        device->device->Release();
        delete device;
    }
}

void ReleaseInputSystem(InputSystem* system) {
    if (system != nullptr) {
        system->directInput->Release();
        delete system;
    }
}

bool ReadDeviceState(InputDevice* device, std::size_t size, void* state) {
    return device != nullptr && SUCCEEDED(device->device->GetDeviceState(static_cast<DWORD>(size), state));
}

} // namespace platform
