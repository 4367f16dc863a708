#include "support/GLTestContext.hpp"

#include <GL/gl.h>

namespace {

const char kTestClass[] = "jostrela-test";

} // namespace

GLTestContext::GLTestContext(int width_, int height_) : width(width_), height(height_) {
    windowClass = platform::RegisterWindowClass(kTestClass);
    window =
        platform::OpenWindow(windowClass, kTestClass, platform::WindowStyle::Hidden, 0, 0, width, height);
    deviceContext = platform::GetDeviceContext(window);
    if (deviceContext == nullptr ||
        !platform::SetPixelFormat(deviceContext, platform::ChoosePixelFormat(deviceContext, 32, 32))) {
        return;
    }
    context = platform::CreateGLContext(deviceContext);
    if (context != nullptr && !platform::MakeCurrent(deviceContext, context)) {
        platform::DeleteGLContext(context);
        context = nullptr;
    }
    if (context != nullptr) {
        glViewport(0, 0, width, height);
    }
}

GLTestContext::~GLTestContext() {
    if (context != nullptr) {
        platform::MakeCurrent(deviceContext, nullptr);
        platform::DeleteGLContext(context);
    }
    if (window != nullptr) {
        platform::DestroyWindow(window);
    }
    if (windowClass != nullptr) {
        platform::UnregisterWindowClass(windowClass);
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
