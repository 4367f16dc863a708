#pragma once

// SDL numbers keys by USB HID keyboard usage (its scancodes); the game numbers them by DirectInput
// key code. Pure functions, no SDL calls.

#include <cstdint>

namespace platform {

// DirectInput key code (0..255) of a USB HID keyboard usage; 0 for a usage the game's numbering
// lacks.
int DirectInputCode(int hidUsage);

// Fills keys (256 bytes) from the pressed flags indexed by HID usage: every key released when the
// window lacks the focus, else bit 7 set for each pressed usage that has a code.
void FillKeySnapshot(const std::uint8_t* pressedByUsage, int usageCount, bool focused,
                     std::uint8_t keys[256]);

} // namespace platform
