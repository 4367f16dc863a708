#include "platform/Platform.hpp"

#include "platform/OutputFile.hpp"

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

#include <memory>
#include <new>

namespace platform {

namespace {

// stb's writer hands the encoded file over in pieces. context is the OutputFile.
void WritePiece(void* context, void* data, int size) {
    WriteOutput(*static_cast<OutputFile*>(context), data, static_cast<std::size_t>(size), false);
}

// Encodes the picture into path through a checked output. The encoder gives 0 when its own memory
// runs out; the file is then removed like one cut short.
bool EncodePng(const char* path, int width, int height, int channels, const unsigned char* pixels,
               bool bottomUp) {
    OutputFile output;
    if (!OpenOutput(output, path)) {
        return false;
    }
    stbi_flip_vertically_on_write(bottomUp ? 1 : 0);
    const bool encoded =
        stbi_write_png_to_func(WritePiece, &output, width, height, channels, pixels, width * channels) != 0;
    output.failed = output.failed || !encoded;
    return CloseOutput(output);
}

} // namespace

bool WritePngFile(const char* path, int width, int height, int channels, const unsigned char* pixels) {
    return EncodePng(path, width, height, channels, pixels, false);
}

bool WriteBackBufferPng(const char* path, int width, int height) {
    // Surfaces are at most a few thousand pixels a side; anything else is refused before the
    // buffer size is computed.
    if (path == nullptr || width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        return false;
    }
    const int stride = width * 3;
    // A picture the memory cannot hold is a screenshot that cannot be written, not an abort.
    const std::unique_ptr<unsigned char[]> pixels(new (
        std::nothrow) unsigned char[static_cast<std::size_t>(stride) * static_cast<std::size_t>(height)]);
    if (pixels == nullptr) {
        return false;
    }
    // Errors left over from the frame are not this read's; the driver keeps only a few flags.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.get());
    if (glGetError() != GL_NO_ERROR) {
        return false;
    }
    // GL rows run bottom-up; the file's run top-down.
    return EncodePng(path, width, height, 3, pixels.get(), true);
}

} // namespace platform
