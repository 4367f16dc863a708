#include "input/InputDevices.hpp"

#include "base/Message.hpp"

#include <cstring>

namespace {

// The message of a step of opening the devices that failed.
const char* FailureText(platform::InputStep step) {
    switch (step) {
    case platform::InputStep::System:
        return "\xA1No se pudo inicializar DInput!";
    case platform::InputStep::Keyboard:
        return "\xA1No se pudo crear el objeto teclado!";
    case platform::InputStep::KeyboardFormat:
    case platform::InputStep::KeyboardLevel:
        return "\xA1No se pudo especificar el formato de datos del teclado!";
    case platform::InputStep::Mouse:
        return "\xA1No se pudo crear el objeto mouse!";
    case platform::InputStep::MouseFormat:
        return "\xA1No se pudo especificar el formato de datos del raton!";
    case platform::InputStep::MouseLevel:
        return "\xA1No se pudo especificar el formato de datos del mouse!";
    case platform::InputStep::Done:
        break;
    }
    return nullptr;
}

} // namespace

InputDevices::~InputDevices() {
    Shutdown();
}

bool InputDevices::Init(platform::Window* window) {
    const platform::InputStep step = platform::OpenInput(window, devices);
    if (step == platform::InputStep::Done) {
        return true;
    }
    // The devices are the window's: their failures are shown in boxes it owns.
    platform::SetMessageBoxOwner(window);
    ShowMessage("Error", FailureText(step), MessageIcon::Exclamation);
    platform::SetMessageBoxOwner(nullptr);
    return false;
}

void InputDevices::Poll() {
    ReadKeyboard();
    platform::ReadMouse(devices, mouseState);
}

void InputDevices::ReadKeyboard() {
    if (keySource != nullptr) {
        // A replayed script stands in for the keyboard: its snapshot is the frame's, exactly.
        std::memset(keys, 0, sizeof keys);
        keySource(keySourceContext, keys);
        return;
    }
    if (devices == nullptr) {
        return;
    }
    // A read that failed leaves this frame's keys released; the device is taken back (when the
    // window has the focus again) and read next frame.
    std::memset(keys, 0, sizeof keys);
    platform::ReadKeys(devices, keys);
}

int InputDevices::IsKeyDown(int code) const {
    if (code < 0 || code > 255) {
        return 0;
    }
    return (keys[code] & 0x80) != 0 ? 1 : 0;
}

void InputDevices::Shutdown() {
    platform::CloseInput(devices);
    devices = nullptr;
}
