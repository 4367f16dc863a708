#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// A decoded picture: width x height pixels of red, green, blue bytes, rows packed with no padding,
// the bottom row first (BMP order, which becomes texture row 0).
struct RgbImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::unique_ptr<std::uint8_t[]> pixels;
};

// The largest side of a picture taken where no GL implementation can be asked (the inspector, the
// tests and the fuzz targets). The game asks GL for its maximum texture size instead.
inline constexpr std::int32_t kFixedMaxTextureSide = 8192;

// The most pixels one picture may have: larger ones are refused as "Out of memory." (64 M).
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 26;

// Decodes the BMP file at path: "BM" files and bare bitmaps that start with their info header;
// 12-byte core and 40-byte info headers; uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel,
// bit-field masks at 16 and 32 bits, run-length-encoded 4 and 8 bits. Top-down files (negative
// height) are turned round, so the result is always bottom row first with a positive height.
// Nothing comes back after one message with caption "Error" (its box owned by the window that has
// the keyboard focus): the file cannot be opened, its header size is not 12 or 40, a size is
// beyond what can be held, or its pixels cannot be converted (an encoding not handled, offsets,
// palette or rows reaching past the end of the file, a side longer than maxSide, or run-length
// data too short for the picture it claims: at most 128 pixels a byte of data above a million
// pixels), or it has more pixels than pixelAllowance ("Out of memory.", before the picture's
// memory is taken); and nothing comes back either for a file cut short while it was read ("The
// DIB file PATH changed while it was read."). Issues no GL calls.
std::unique_ptr<RgbImage> ReadBmpImage(const char* path, std::int32_t maxSide = kFixedMaxTextureSide,
                                       std::uint64_t pixelAllowance = kMaxPicturePixels);

// ReadBmpImage over a file's bytes already in memory: the same decoding and messages. For the
// fuzz targets, which must not touch the file system.
std::unique_ptr<RgbImage> DecodeBmpBytes(const std::uint8_t* data, std::size_t size,
                                         std::int32_t maxSide = kFixedMaxTextureSide,
                                         std::uint64_t pixelAllowance = kMaxPicturePixels);
