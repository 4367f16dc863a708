#include "input/InputDevices.hpp"

#include "base/Message.hpp"

#include <cstring>

namespace {

bool Fail(const char* text) {
    ShowMessage("Error", text, MessageIcon::Exclamation);
    return false;
}

} // namespace

InputDevices::~InputDevices() {
    Shutdown();
}

bool InputDevices::Init(platform::Window* window) {
    // The devices are the window's: their failures are shown in boxes it owns.
    platform::SetMessageBoxOwner(window);
    const bool ready = SetUp(window);
    platform::SetMessageBoxOwner(nullptr);
    return ready;
}

bool InputDevices::SetUp(platform::Window* window) {
    directInput = platform::CreateInputSystem();
    if (directInput == nullptr) {
        return Fail("\xA1No se pudo inicializar DInput!");
    }
    keyboard = platform::CreateDevice(directInput, platform::DeviceKind::Keyboard);
    if (keyboard == nullptr) {
        return Fail("\xA1No se pudo crear el objeto teclado!");
    }
    if (!platform::SetDataFormat(keyboard)) {
        return Fail("\xA1No se pudo especificar el formato de datos del teclado!");
    }
    if (!platform::SetCooperativeLevel(keyboard, window)) {
        return Fail("\xA1No se pudo especificar el formato de datos del teclado!");
    }
    platform::Acquire(keyboard);
    mouse = platform::CreateDevice(directInput, platform::DeviceKind::Mouse);
    if (mouse == nullptr) {
        return Fail("\xA1No se pudo crear el objeto mouse!");
    }
    if (!platform::SetDataFormat(mouse)) {
        return Fail("\xA1No se pudo especificar el formato de datos del raton!");
    }
    if (!platform::SetCooperativeLevel(mouse, window)) {
        return Fail("\xA1No se pudo especificar el formato de datos del mouse!");
    }
    platform::Acquire(mouse);
    return true;
}

void InputDevices::Poll() {
    ReadKeyboard();
    ReadMouse();
}

void InputDevices::ReadKeyboard() {
    if (keySource != nullptr) {
        // A replayed script stands in for the keyboard: its snapshot is the frame's, exactly.
        std::memset(keys, 0, sizeof keys);
        keySource(keySourceContext, keys);
        return;
    }
    if (keyboard == nullptr) {
        return;
    }
    std::memset(keys, 0, sizeof keys);
    // A read that failed leaves this frame's keys released; the device is taken back (when the
    // window has the focus again) and read next frame.
    if (!platform::ReadDeviceState(keyboard, sizeof keys, keys)) {
        platform::Acquire(keyboard);
    }
}

void InputDevices::ReadMouse() {
    if (mouse == nullptr) {
        return;
    }
    if (!platform::ReadDeviceState(mouse, sizeof mouseState, mouseState)) {
        platform::Acquire(mouse);
    }
}

int InputDevices::IsKeyDown(int code) const {
    if (code < 0 || code > 255) {
        return 0;
    }
    return (keys[code] & 0x80) != 0 ? 1 : 0;
}

void InputDevices::Shutdown() {
    if (keyboard != nullptr) {
        platform::Unacquire(keyboard);
        platform::ReleaseDevice(keyboard);
        keyboard = nullptr;
    }
    if (mouse != nullptr) {
        platform::Unacquire(mouse);
        platform::ReleaseDevice(mouse);
        mouse = nullptr;
    }
    if (directInput != nullptr) {
        platform::ReleaseInputSystem(directInput);
        directInput = nullptr;
    }
}
