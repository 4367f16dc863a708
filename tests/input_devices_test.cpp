#include "base/Message.hpp"
#include "input/InputDevices.hpp"
#include "support/GLTestContext.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> shown;

void Collect(const char* caption, const char* text, MessageIcon icon) {
    shown.push_back(std::string(caption) + "|" + text + "|" + (icon == MessageIcon::Exclamation ? "!" : "?"));
}

class InputDevicesInit : public ::testing::Test {
  protected:
    void SetUp() override {
        shown.clear();
        previous = SetMessageSink(Collect);
    }
    void TearDown() override { SetMessageSink(previous); }
    MessageSink previous = nullptr;
};

} // namespace

TEST_F(InputDevicesInit, WithoutTheDeviceLayerNothingIsMadeAndNoKeyEverReadsDown) {
    InputDevices devices;
    EXPECT_FALSE(devices.Init(nullptr));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Error|\xA1No se pudo inicializar DInput!|!");
    EXPECT_EQ(devices.devices, nullptr);
    devices.Poll();
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(devices.IsKeyDown(code), 0);
    }
}

TEST_F(InputDevicesInit, AKeyboardThatCannotBeBoundStaysUnacquiredAndReadsReleased) {
    // A window is needed for the cooperative level; without one the keyboard is made, not bound.
    GLTestContext gl(32, 32);
    ASSERT_TRUE(gl.IsOpen());
    InputDevices devices;
    EXPECT_FALSE(devices.Init(nullptr));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Error|\xA1No se pudo especificar el formato de datos del teclado!|!");
    ASSERT_NE(devices.devices, nullptr) << "what was made stays";
    devices.keys[17] = 0x80;
    devices.Poll();
    EXPECT_EQ(devices.IsKeyDown(17), 0) << "a failed read leaves the frame's keys released";
    // A mouse that was made would be taken back by the failed read and read now.
    std::uint8_t mouse[20] = {};
    EXPECT_FALSE(platform::ReadMouse(devices.devices, mouse))
        << "the mouse is not set up after a keyboard failure";
    devices.Shutdown();
    EXPECT_EQ(devices.devices, nullptr);
}
