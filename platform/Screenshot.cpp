#include "platform/Platform.hpp"

#include <GL/gl.h>
#include <png.h>

#include <cstring>
#include <vector>

namespace platform {

bool WriteBackBufferPng(const char* path, int width, int height) {
    // Surfaces are at most a few thousand pixels a side; anything else is refused before the
    // buffer size is computed.
    if (path == nullptr || width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        return false;
    }
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    std::vector<unsigned char> pixels(stride * static_cast<std::size_t>(height));
    // Errors left over from the frame are not this read's; the driver keeps only a few flags.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    if (glGetError() != GL_NO_ERROR) {
        return false;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    // GL rows run bottom-up: a negative row stride writes them top-down.
    const int written =
        png_image_write_to_file(&image, path, 0, pixels.data(), -static_cast<png_int_32>(stride), nullptr);
    png_image_free(&image);
    return written != 0;
}

} // namespace platform
