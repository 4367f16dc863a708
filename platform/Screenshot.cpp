#include "platform/Platform.hpp"

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>

// The PNG writer of Debian's libstb-dev, compiled into this file only; its own code is not ours to
// warn about.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
#pragma GCC diagnostic pop

#include <vector>

namespace platform {

bool WritePngFile(const char* path, int width, int height, int channels, const unsigned char* pixels) {
    stbi_flip_vertically_on_write(0);
    return stbi_write_png(path, width, height, channels, pixels, width * channels) != 0;
}

bool WriteBackBufferPng(const char* path, int width, int height) {
    // Surfaces are at most a few thousand pixels a side; anything else is refused before the
    // buffer size is computed.
    if (path == nullptr || width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        return false;
    }
    const int stride = width * 3;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    // Errors left over from the frame are not this read's; the driver keeps only a few flags.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    if (glGetError() != GL_NO_ERROR) {
        return false;
    }
    // GL rows run bottom-up; the file's run top-down.
    stbi_flip_vertically_on_write(1);
    return stbi_write_png(path, width, height, 3, pixels.data(), stride) != 0;
}

} // namespace platform
