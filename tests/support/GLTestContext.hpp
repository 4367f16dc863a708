#pragma once

// A hidden window with a current OpenGL context, opened through the platform layer, for tests that
// compile display lists, make textures or read matrices back. Tests run with
// SDL_VIDEODRIVER=offscreen, so no X server is needed and the pixels are deterministic.

#include "platform/Platform.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

class GLTestContext {
  public:
    // Opens a width x height surface (32-bit colour, the deepest depth buffer offered) and makes
    // its context current.
    explicit GLTestContext(int width = 256, int height = 256);
    ~GLTestContext();
    GLTestContext(const GLTestContext&) = delete;
    GLTestContext& operator=(const GLTestContext&) = delete;

    bool IsOpen() const { return open; }
    int Width() const { return width; }
    int Height() const { return height; }
    platform::Window* Surface() const { return window; }

    // The back buffer's pixels as RGB bytes, bottom row first (glReadPixels order).
    std::vector<std::uint8_t> ReadPixels() const;
    // The RGB of one back-buffer pixel (x from the left, y from the bottom).
    std::uint32_t PixelAt(int x, int y) const;

  private:
    int width;
    int height;
    platform::WindowSystem* system = nullptr;
    platform::Window* window = nullptr; // what was made of it, even when not all
    bool open = false;                  // the window's context is current
};

// A fixture giving every test a fresh context; the test fails at once when none can be had.
class GLTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    GLTestContext& GL() { return *gl; }

  private:
    GLTestContext* gl = nullptr;
};
