#pragma once

#include "platform/Platform.hpp"

#include <cstdint>

// Fills the 256-byte key snapshot of a frame (DirectInput key codes, bit 7 = down) in place of the
// keyboard; a replayed key script installs one. context is the one installed with it.
using KeySnapshotSource = void (*)(const void* context, std::uint8_t keys[256]);

// The keyboard and the mouse, polled once per frame. The game has one, the world's input.
class InputDevices {
  public:
    platform::Input* devices = nullptr;     // the device layer and what it made; null until created
    std::uint8_t keys[256] = {};            // by DirectInput key code; bit 7 = down
    std::uint8_t mouseState[20] = {};       // x, y, wheel (int32 each), eight button bytes
    KeySnapshotSource keySource = nullptr;  // when set, Poll takes the keys from it
    const void* keySourceContext = nullptr; // handed to keySource

    InputDevices() = default;
    InputDevices(const InputDevices&) = delete;
    InputDevices& operator=(const InputDevices&) = delete;
    ~InputDevices();

    // Creates and acquires the keyboard and the mouse for window, each step only if the ones before
    // it worked. False after a message box (caption "Error", owned by window) naming the failed
    // step; what was made before stays in place.
    bool Init(platform::Window* window);

    // Reads this frame's keyboard snapshot, then the mouse. A read that fails leaves the keys all
    // released for this frame and re-acquires the device, so a poll has no failure to report.
    void Poll();

    // 1 when the key with DirectInput code is down in this frame's snapshot, else 0 (also for codes
    // outside 0..255).
    int IsKeyDown(int code) const;

    // Unacquires and releases the devices, then the device layer.
    void Shutdown();

  private:
    void ReadKeyboard();
};
