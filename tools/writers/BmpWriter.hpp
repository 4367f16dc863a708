#pragma once

#include <cstdint>
#include <vector>

// The project's own BMP writer: uncompressed 1, 4, 8 (palettised), 24 and 32-bit files with the
// 14-byte file header and a 40-byte info header (or a 12-byte core header), rows padded to 4
// bytes. The output depends only on its inputs, byte for byte.
namespace writers {

struct BmpImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;             // 1, 4, 8, 24 or 32
    std::vector<std::uint8_t> palette; // red, green, blue per entry; 1, 4 and 8 bits only
    // Rows bottom first, packed: red, green, blue per pixel at 24 and 32 bits, one palette index
    // per pixel at 1, 4 and 8 bits.
    std::vector<std::uint8_t> pixels;
};

struct BmpOptions {
    bool fileHeader = true;  // false: a bare bitmap that starts with its info header
    bool coreHeader = false; // the 12-byte header with 3-byte palette entries (full palette)
    bool topDown = false;    // info header only: negative height, top row stored first
    // The colours-used field; -1 writes 0 for a full palette and the entry count otherwise.
    std::int64_t coloursUsed = -1;
};

// The file's bytes. False, with out left empty, when the image is inconsistent (unknown depth,
// pixel or palette sizes that do not match, sizes a header cannot hold).
bool BuildBmp(const BmpImage& image, std::vector<std::uint8_t>& out, const BmpOptions& options = {});

// BuildBmp written to path; false when the image is refused or the file cannot be written.
bool WriteBmpFile(const char* path, const BmpImage& image, const BmpOptions& options = {});

} // namespace writers
