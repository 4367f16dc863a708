#pragma once

#include <cstdint>
#include <string>

// BMP files under "Texturas/" (relative to the working directory) turned into mipmapped GL
// textures whose names go into a slot of the caller's array of texture names.

// What became of a texture file: opened (a texture was made, unless the file did not decode), or
// not there to open at all, with the path that was tried. The game shows that path (caption
// "CargaTexturaBMP") and ends with exit code 1: a level with holes in it is no level.
struct TextureResult {
    bool opened = true;
    std::string path; // set when the file could not be opened
};

// Loads "Texturas/" + fileName into textureNames[slot] when the path contains ".bmp" or ".BMP"
// (as written: a mixed-case extension loads nothing); any other name is ignored without a message.
// Names of any length are accepted; a name with a folder part ('/' or '\\') or naming "." or ".."
// is a file that cannot be opened (see LoadBmpTexture). Needs a current GL context.
TextureResult LoadTexture(std::uint32_t* textureNames, int slotCount, const char* fileName, int slot);

// Decodes the BMP at path into a new texture in textureNames[slot]. A path that does not exist as
// written is looked up again with its file name matched case-insensitively in its folder. A file
// that cannot be opened at all, or is not a regular file (a folder, a named pipe), gives a result
// that says so, and shows nothing; a file that does not decode, has a side longer than GL's
// maximum texture size, or would take the pixels of every texture of the run past 32 M, has shown
// the reader's message and makes no texture. A slot outside 0 .. slotCount -
// 1 is never written: the file is read but no texture is made. Needs a current GL context.
TextureResult LoadBmpTexture(std::uint32_t* textureNames, int slotCount, const char* path, int slot);

// Generates a texture name into textureNames[slot], binds it and builds every mipmap level of the
// width x height packed pixels (3 bytes each in format) with GLU; minification linear within the
// nearest mipmap, magnification linear, both wraps clamp to edge. The texture stays bound and the
// unpack alignment stays 1. Needs a current GL context.
void CreateMipmappedTexture(int width, int height, const std::uint8_t* pixels, unsigned format,
                            std::uint32_t* textureNames, int slot);
