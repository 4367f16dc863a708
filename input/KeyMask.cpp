#include "input/KeyMask.hpp"

#include "input/KeyCodes.hpp"
#include "input/KeyScript.hpp"

KeyMask KeyMaskFromSnapshot(const std::uint8_t keys[256]) {
    // In bit order.
    static const int codes[] = {key::kLeft,  key::kRight, key::kW,      key::kS,  key::kA,   key::kD,
                                key::kSpace, key::kF,     key::kEscape, key::kUp, key::kDown};
    KeyMask mask = 0;
    for (unsigned bit = 0; bit < sizeof codes / sizeof codes[0]; ++bit) {
        if ((keys[codes[bit]] & 0x80) != 0) {
            mask = static_cast<KeyMask>(mask | (1u << bit));
        }
    }
    return mask;
}

KeyMask KeyMaskAt(const KeyScript& script, std::uint32_t frame) {
    std::uint8_t snapshot[256] = {};
    script.HoldKeys(frame, snapshot);
    return KeyMaskFromSnapshot(snapshot);
}
