#include "tools/writers/BmpWriter.hpp"

#include "tools/writers/ChunkWriter.hpp"

namespace writers {
namespace {

// Little-endian appends to the file's bytes.
struct Sink {
    std::vector<std::uint8_t>& out;
    void U8(std::uint32_t v) { out.push_back(static_cast<std::uint8_t>(v)); }
    void U16(std::uint32_t v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(std::uint32_t v) {
        U16(v);
        U16(v >> 16);
    }
};

bool Consistent(const BmpImage& image, const BmpOptions& options) {
    const int bits = image.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        return false;
    }
    // Keeps every size below 2^31 so the header fields hold them.
    if (image.width <= 0 || image.height <= 0 || image.width > 0x7FFF || image.height > 0x7FFF) {
        return false;
    }
    if (options.coreHeader && (bits == 32 || options.topDown)) {
        return false;
    }
    const std::size_t pixelCount = static_cast<std::size_t>(image.width) * image.height;
    const bool indexed = bits <= 8;
    if (image.pixels.size() != pixelCount * (indexed ? 1 : 3) || image.palette.size() % 3 != 0) {
        return false;
    }
    return indexed ? image.palette.size() / 3 <= (1u << bits) : image.palette.empty();
}

std::uint32_t RowBytes(const BmpImage& image) {
    return (static_cast<std::uint32_t>(image.width) * image.bitsPerPixel + 31) / 32 * 4;
}

void WriteRow(Sink& sink, const BmpImage& image, int row) {
    const std::size_t first = static_cast<std::size_t>(row) * image.width;
    const int bits = image.bitsPerPixel;
    std::vector<std::uint8_t> bytes(RowBytes(image), 0);
    for (int x = 0; x < image.width; ++x) {
        if (bits <= 8) {
            const unsigned index = image.pixels[first + x] & ((1u << bits) - 1);
            const int bit = x * bits;
            bytes[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
        } else {
            const std::uint8_t* rgb = &image.pixels[(first + x) * 3];
            std::uint8_t* target = &bytes[static_cast<std::size_t>(x) * (bits / 8)];
            target[0] = rgb[2];
            target[1] = rgb[1];
            target[2] = rgb[0];
        }
    }
    sink.out.insert(sink.out.end(), bytes.begin(), bytes.end());
}

} // namespace

bool BuildBmp(const BmpImage& image, std::vector<std::uint8_t>& out, const BmpOptions& options) {
    out.clear();
    if (!Consistent(image, options)) {
        return false;
    }
    const int bits = image.bitsPerPixel;
    const std::uint32_t headerSize = options.coreHeader ? 12 : 40;
    const std::uint32_t fullPalette = bits <= 8 ? 1u << bits : 0;
    const std::uint32_t given = static_cast<std::uint32_t>(image.palette.size() / 3);
    // A core header has no colours-used field: its palette is always full.
    const std::uint32_t entries = options.coreHeader ? fullPalette : given;
    const std::uint32_t entryBytes = options.coreHeader ? 3 : 4;
    const std::uint32_t imageBytes = RowBytes(image) * static_cast<std::uint32_t>(image.height);
    const std::uint32_t fileHeaderBytes = options.fileHeader ? 14 : 0;
    const std::uint32_t pixelOffset = fileHeaderBytes + headerSize + entries * entryBytes;

    Sink sink{out};
    if (options.fileHeader) {
        sink.U8('B');
        sink.U8('M');
        sink.U32(pixelOffset + imageBytes);
        sink.U32(0);
        sink.U32(pixelOffset);
    }
    sink.U32(headerSize);
    if (options.coreHeader) {
        sink.U16(static_cast<std::uint32_t>(image.width));
        sink.U16(static_cast<std::uint32_t>(image.height));
        sink.U16(1);
        sink.U16(static_cast<std::uint32_t>(bits));
    } else {
        const std::int32_t height = options.topDown ? -image.height : image.height;
        const std::uint32_t coloursUsed = options.coloursUsed >= 0
                                              ? static_cast<std::uint32_t>(options.coloursUsed)
                                          : given == fullPalette ? 0
                                                                 : given;
        sink.U32(static_cast<std::uint32_t>(image.width));
        sink.U32(static_cast<std::uint32_t>(height));
        sink.U16(1);
        sink.U16(static_cast<std::uint32_t>(bits));
        sink.U32(0); // no compression
        sink.U32(imageBytes);
        sink.U32(2835); // 72 dots per inch, in dots per metre
        sink.U32(2835);
        sink.U32(coloursUsed);
        sink.U32(0);
    }
    for (std::uint32_t i = 0; i < entries; ++i) {
        const bool present = i < given;
        sink.U8(present ? image.palette[i * 3 + 2] : 0);
        sink.U8(present ? image.palette[i * 3 + 1] : 0);
        sink.U8(present ? image.palette[i * 3] : 0);
        if (entryBytes == 4) {
            sink.U8(0);
        }
    }
    for (int r = 0; r < image.height; ++r) {
        WriteRow(sink, image, options.topDown ? image.height - 1 - r : r);
    }
    return true;
}

bool WriteBmpFile(const char* path, const BmpImage& image, const BmpOptions& options) {
    std::vector<std::uint8_t> bytes;
    return BuildBmp(image, bytes, options) && WriteFileBytes(path, bytes);
}

} // namespace writers
