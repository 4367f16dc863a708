#include "input/InputDevices.hpp"
#include "platform/sdl/KeyMap.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// USB HID keyboard usages, the numbering the keyboard layer hands over.
namespace hid {
const int A = 4, D = 7, F = 9, S = 22, W = 26, Escape = 41, Space = 44, Right = 79, Left = 80;
}

TEST(KeyMap, TheNineGameKeysMapToTheirCodes) {
    EXPECT_EQ(platform::DirectInputCode(hid::Left), 203);
    EXPECT_EQ(platform::DirectInputCode(hid::Right), 205);
    EXPECT_EQ(platform::DirectInputCode(hid::W), 17);
    EXPECT_EQ(platform::DirectInputCode(hid::S), 31);
    EXPECT_EQ(platform::DirectInputCode(hid::A), 30);
    EXPECT_EQ(platform::DirectInputCode(hid::D), 32);
    EXPECT_EQ(platform::DirectInputCode(hid::Space), 57);
    EXPECT_EQ(platform::DirectInputCode(hid::Escape), 1);
    EXPECT_EQ(platform::DirectInputCode(hid::F), 33);
}

TEST(KeyMap, SampleOfTheRestOfTheKeyboard) {
    const struct {
        int usage;
        int code;
    } sample[] = {
        {5, 0x30},   // B
        {29, 0x2C},  // Z
        {30, 0x02},  // 1
        {39, 0x0B},  // 0
        {40, 0x1C},  // Return
        {43, 0x0F},  // Tab
        {58, 0x3B},  // F1
        {69, 0x58},  // F12
        {82, 0xC8},  // Up
        {81, 0xD0},  // Down
        {74, 0xC7},  // Home
        {76, 0xD3},  // Delete
        {89, 0x4F},  // keypad 1
        {98, 0x52},  // keypad 0
        {88, 0x9C},  // keypad Enter
        {84, 0xB5},  // keypad /
        {224, 0x1D}, // left Ctrl
        {229, 0x36}, // right Shift
        {230, 0xB8}, // right Alt
    };
    for (const auto& key : sample) {
        EXPECT_EQ(platform::DirectInputCode(key.usage), key.code) << key.usage;
    }
    EXPECT_EQ(platform::DirectInputCode(0), 0);
    EXPECT_EQ(platform::DirectInputCode(-5), 0);
    EXPECT_EQ(platform::DirectInputCode(300), 0);
}

TEST(KeyMap, EveryMappedCodeIsUniqueExceptTheTwoBackslashKeys) {
    std::vector<int> owner(256, 0);
    for (int usage = 1; usage < 512; ++usage) {
        const int code = platform::DirectInputCode(usage);
        ASSERT_GE(code, 0);
        ASSERT_LT(code, 256);
        if (code == 0) {
            continue;
        }
        if (owner[code] != 0) {
            // The ISO key beside Return shares the backslash's code.
            EXPECT_EQ(code, 0x2B) << "usages " << owner[code] << " and " << usage;
        }
        owner[code] = usage;
    }
}

TEST(KeyMap, SnapshotSetsBitSevenForPressedKeysAndReleasesAllWithoutFocus) {
    std::vector<std::uint8_t> pressed(512, 0);
    pressed[hid::W] = 1;
    pressed[hid::Left] = 1;
    pressed[hid::Escape] = 1;
    std::uint8_t keys[256];
    platform::FillKeySnapshot(pressed.data(), static_cast<int>(pressed.size()), true, keys);
    for (int code = 0; code < 256; ++code) {
        const bool down = code == 17 || code == 203 || code == 1;
        EXPECT_EQ(keys[code], down ? 0x80 : 0) << code;
    }
    // Focus gone: every key reads released, whatever the keyboard says.
    platform::FillKeySnapshot(pressed.data(), static_cast<int>(pressed.size()), false, keys);
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(keys[code], 0) << code;
    }
    // A short state array covers only its own usages.
    platform::FillKeySnapshot(pressed.data(), hid::Left, true, keys);
    EXPECT_EQ(keys[203], 0);
    EXPECT_EQ(keys[17], 0x80);
}

namespace {
void HoldSpaceAndF(const void*, std::uint8_t keys[256]) {
    keys[57] = 0x80;
    keys[33] = 0x81;
}
} // namespace

TEST(InputDevicesKeys, IsKeyDownReadsBitSevenAndRejectsCodesOutsideTheRange) {
    InputDevices devices;
    devices.keys[17] = 0x80;
    devices.keys[18] = 0x7F;
    devices.keys[255] = 0xFF;
    EXPECT_EQ(devices.IsKeyDown(17), 1);
    EXPECT_EQ(devices.IsKeyDown(18), 0);
    EXPECT_EQ(devices.IsKeyDown(255), 1);
    EXPECT_EQ(devices.IsKeyDown(-1), 0);
    EXPECT_EQ(devices.IsKeyDown(256), 0);
    // Without devices a poll changes nothing and reports success.
    devices.Poll();
    EXPECT_EQ(devices.IsKeyDown(17), 1);
    // A snapshot source replaces the frame's keys entirely.
    devices.keySource = HoldSpaceAndF;
    devices.Poll();
    EXPECT_EQ(devices.IsKeyDown(17), 0);
    EXPECT_EQ(devices.IsKeyDown(57), 1);
    EXPECT_EQ(devices.IsKeyDown(33), 1);
}
