#include "model/Texture.hpp"

#include "model/BmpReader.hpp"
#include "platform/Platform.hpp"

#include <GL/gl.h>
// GL_CLAMP_TO_EDGE is OpenGL 1.2, beyond what the Windows headers declare.
#include <GL/glext.h>
#include <GL/glu.h>
#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <string>
#include <strings.h>
#include <vector>

namespace {

// Texture names come from 3DS materials written on a file system that ignores letter case. When
// path does not exist as written, returns the first entry of its folder (in byte order) whose name
// equals the file name ignoring ASCII case; otherwise path itself.
std::string ResolveLetterCase(const std::string& path) {
    if (std::FILE* file = platform::OpenRegularFile(path.c_str())) {
        std::fclose(file);
        return path;
    }
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::vector<std::string> matches;
    if (DIR* directory = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(directory)) {
            if (strcasecmp(entry->d_name, name.c_str()) == 0) {
                matches.push_back(entry->d_name);
            }
        }
        closedir(directory);
    }
    if (matches.empty()) {
        return path;
    }
    return (slash == std::string::npos ? "" : folder) + *std::min_element(matches.begin(), matches.end());
}

// A material's texture name must name a file inside the texture folder: no folder part, and not
// one of the names of the folder itself or its parent.
bool PlainFileName(const char* name) {
    const std::string text(name);
    return text.find_first_of("/\\") == std::string::npos && text != "." && text != "..";
}

// The GL implementation's largest texture side, asked once; the fixed limit when it gives none.
std::int32_t MaxTextureSide() {
    static const std::int32_t side = [] {
        GLint reported = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &reported);
        return reported > 0 ? static_cast<std::int32_t>(reported) : kFixedMaxTextureSide;
    }();
    return side;
}

// Every texture of the run together may have 32 M pixels (two pictures of 4,096 x 4,096, some 400 MB
// with the driver's copies and their mipmaps), so many large pictures cost no more than that. The
// game's own textures take a few hundred thousand.
constexpr std::uint64_t kTexturePixelBudget = std::uint64_t{1} << 25;
std::uint64_t texturePixelsTaken = 0; // pixels of every picture decoded so far

} // namespace

TextureResult LoadTexture(std::uint32_t* textureNames, int slotCount, const char* fileName, int slot) {
    const std::string path = std::string("Texturas/") + fileName;
    if (path.find(".bmp") == std::string::npos && path.find(".BMP") == std::string::npos) {
        return TextureResult{};
    }
    if (!PlainFileName(fileName)) {
        return TextureResult{false, path};
    }
    return LoadBmpTexture(textureNames, slotCount, path.c_str(), slot);
}

TextureResult LoadBmpTexture(std::uint32_t* textureNames, int slotCount, const char* path, int slot) {
    const std::string found = ResolveLetterCase(path);
    std::FILE* presence = platform::OpenRegularFile(found.c_str());
    if (presence == nullptr) {
        return TextureResult{false, path};
    }
    std::fclose(presence);
    const std::unique_ptr<RgbImage> image =
        ReadBmpImage(found.c_str(), MaxTextureSide(), kTexturePixelBudget - texturePixelsTaken);
    if (image != nullptr) {
        texturePixelsTaken +=
            static_cast<std::uint64_t>(image->width) * static_cast<std::uint64_t>(image->height);
    }
    if (image != nullptr && slot >= 0 && slot < slotCount) {
        CreateMipmappedTexture(image->width, image->height, image->pixels.get(), GL_RGB, textureNames, slot);
    }
    return TextureResult{};
}

void CreateMipmappedTexture(int width, int height, const std::uint8_t* pixels, unsigned format,
                            std::uint32_t* textureNames, int slot) {
    glGenTextures(1, &textureNames[slot]);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, textureNames[slot]);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, format, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}
