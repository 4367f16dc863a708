#include "support/GLTestContext.hpp"

#include <GL/gl.h>

namespace {

const char kTestClass[] = "jostrela-test";

} // namespace

GLTestContext::GLTestContext(int width_, int height_) : width(width_), height(height_) {
    system = platform::StartWindowSystem(kTestClass);
    const platform::WindowRequest request{kTestClass, platform::WindowStyle::Hidden, 0, 0, width, height, 32,
                                          32};
    open = platform::OpenWindow(system, request, window) == platform::OpenStep::Done;
    if (open) {
        glViewport(0, 0, width, height);
    }
}

GLTestContext::~GLTestContext() {
    platform::CloseWindow(window);
    if (system != nullptr) {
        platform::StopWindowSystem(system);
    }
}

std::vector<std::uint8_t> GLTestContext::ReadPixels() const {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::uint32_t GLTestContext::PixelAt(int x, int y) const {
    std::uint8_t rgb[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return (static_cast<std::uint32_t>(rgb[0]) << 16) | (static_cast<std::uint32_t>(rgb[1]) << 8) | rgb[2];
}

void GLTest::SetUp() {
    gl = new GLTestContext();
    ASSERT_TRUE(gl->IsOpen()) << "no OpenGL context (is SDL_VIDEODRIVER=offscreen set?)";
}

void GLTest::TearDown() {
    delete gl;
    gl = nullptr;
}
