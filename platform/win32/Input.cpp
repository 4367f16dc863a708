#include "platform/win32/PlatformState.hpp"

#define DIRECTINPUT_VERSION 0x0800
#include <dinput.h>

namespace platform {

struct Input {
    IDirectInput8A* directInput;
    IDirectInputDevice8A* keyboard; // null until created
    IDirectInputDevice8A* mouse;    // null until created
};

namespace {

// DirectInput may answer "input lost" to an acquisition while it hands the device over; a few
// more tries settle it, and a device that stays lost is tried again next frame rather than held in
// a loop here.
const int kAcquireTries = 4;

void Acquire(IDirectInputDevice8A* device) {
    for (int i = 0; i < kAcquireTries; ++i) {
        if (device->Acquire() != DIERR_INPUTLOST) {
            return;
        }
    }
}

// Creates the device of guid, sets its data format and its cooperative level with window, and
// acquires it; the step that failed (first, first + 1 or first + 2 of InputStep's order: the
// device, its format, its level), or Done. device holds what was created.
InputStep OpenDevice(IDirectInput8A* directInput, const GUID& guid, const DIDATAFORMAT* format, HWND window,
                     IDirectInputDevice8A*& device, InputStep create, InputStep setFormat,
                     InputStep setLevel) {
    if (FAILED(directInput->CreateDevice(guid, &device, nullptr))) {
        device = nullptr;
        return create;
    }
    if (FAILED(device->SetDataFormat(format))) {
        return setFormat;
    }
    if (window == nullptr ||
        FAILED(device->SetCooperativeLevel(window, DISCL_EXCLUSIVE | DISCL_FOREGROUND))) {
        return setLevel;
    }
    Acquire(device);
    return InputStep::Done;
}

// Reads size bytes of device's state; a failed read takes the device back for the next one.
bool ReadState(IDirectInputDevice8A* device, DWORD size, void* state) {
    if (device == nullptr) {
        return false;
    }
    if (FAILED(device->GetDeviceState(size, state))) {
        Acquire(device);
        return false;
    }
    return true;
}

void Release(IDirectInputDevice8A* device) {
    if (device != nullptr) {
        device->Unacquire();
        device->Release();
    }
}

} // namespace

InputStep OpenInput(Window* window, Input*& input) {
    input = nullptr;
    IDirectInput8A* directInput = nullptr;
    if (FAILED(DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                  reinterpret_cast<void**>(&directInput), nullptr))) {
        return InputStep::System;
    }
    input = new Input{directInput, nullptr, nullptr};
    HWND handle = window == nullptr ? nullptr : window->handle;
    const InputStep keyboard =
        OpenDevice(directInput, GUID_SysKeyboard, &c_dfDIKeyboard, handle, input->keyboard,
                   InputStep::Keyboard, InputStep::KeyboardFormat, InputStep::KeyboardLevel);
    if (keyboard != InputStep::Done) {
        return keyboard;
    }
    return OpenDevice(directInput, GUID_SysMouse, &c_dfDIMouse2, handle, input->mouse, InputStep::Mouse,
                      InputStep::MouseFormat, InputStep::MouseLevel);
}

bool ReadKeys(Input* input, std::uint8_t keys[256]) {
    return input != nullptr && ReadState(input->keyboard, 256, keys);
}

bool ReadMouse(Input* input, std::uint8_t state[20]) {
    return input != nullptr && ReadState(input->mouse, 20, state);
}

void CloseInput(Input* input) {
    if (input == nullptr) {
        return;
    }
    Release(input->keyboard);
    Release(input->mouse);
    input->directInput->Release();
    delete input;
}

} // namespace platform
