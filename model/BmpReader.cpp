#include "model/BmpReader.hpp"

#include "base/Message.hpp"
#include "model/ByteCursor.hpp"
#include "model/FileBytes.hpp"
#include "platform/Platform.hpp"

#include <new>
#include <string>

namespace {

constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

// Run-length data describes at most 255 pixels in two bytes (runs that skip pixels aside), so a
// picture needing more pixels per byte of its data than this is refused before its memory is
// taken; pictures up to the floor are always decoded. The decode cost thus follows the file size.
constexpr std::uint64_t kPixelsPerRunLengthByte = 128;
constexpr std::uint64_t kRunLengthPixelFloor = std::uint64_t{1} << 20;

enum class Failure { None, UnknownFormat, OutOfMemory, Conversion };

struct Channel {
    std::uint32_t mask = 0;
    int shift = 0; // position of the mask's lowest bit
    int bits = 0;  // width of the mask
};

struct Dib {
    std::int64_t width = 0;
    std::int64_t height = 0; // rows; negative for a top-down file
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = kUncompressed;
    std::uint8_t palette[256][3] = {}; // red, green, blue; entries the file does not give are black
    Channel channels[3];               // red, green, blue masks at 16 and 32 bits
    std::size_t pixelOffset = 0;
};

Channel MakeChannel(std::uint32_t mask) {
    Channel channel;
    channel.mask = mask;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++channel.shift;
    }
    while ((mask & 1) != 0) {
        mask >>= 1;
        ++channel.bits;
    }
    return channel;
}

// A channel widened or narrowed to 8 bits; narrower values repeat their bits downwards, so the
// full value gives 255.
std::uint8_t ChannelByte(const Channel& channel, std::uint32_t pixel) {
    if (channel.bits == 0) {
        return 0;
    }
    const std::uint32_t value = (pixel & channel.mask) >> channel.shift;
    if (channel.bits >= 8) {
        return static_cast<std::uint8_t>(value >> (channel.bits - 8));
    }
    std::uint32_t result = 0;
    for (int at = 8 - channel.bits; at > -channel.bits; at -= channel.bits) {
        result |= at >= 0 ? value << at : value >> -at;
    }
    return static_cast<std::uint8_t>(result);
}

std::uint32_t PaletteSize(std::uint32_t bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

// Reads the headers and the colour table; the pixel data's place is checked by the decoders.
Failure ReadHeaders(const ByteCursor& file, Dib& dib) {
    const std::uint8_t* magic = file.At(0, 2);
    const bool fileHeader = magic != nullptr && magic[0] == 'B' && magic[1] == 'M';
    const std::size_t headerStart = fileHeader ? 14 : 0;
    const std::uint8_t* sizeField = file.At(headerStart, 4);
    if (sizeField == nullptr) {
        return Failure::Conversion;
    }
    const std::uint32_t headerSize = LoadU32(sizeField);
    if (headerSize != 12 && headerSize != 40) {
        return Failure::UnknownFormat;
    }
    const std::uint8_t* header = file.At(headerStart, headerSize);
    if (header == nullptr) {
        return Failure::Conversion;
    }
    std::uint32_t entries;
    std::uint32_t entryBytes;
    std::size_t maskBytes = 0;
    if (headerSize == 12) {
        dib.width = LoadU16(header + 4);
        dib.height = LoadU16(header + 6);
        dib.bitsPerPixel = LoadU16(header + 10);
        entries = PaletteSize(dib.bitsPerPixel);
        entryBytes = 3;
    } else {
        dib.width = static_cast<std::int32_t>(LoadU32(header + 4));
        dib.height = static_cast<std::int32_t>(LoadU32(header + 8));
        dib.bitsPerPixel = LoadU16(header + 14);
        dib.compression = LoadU32(header + 16);
        const std::uint32_t coloursUsed = LoadU32(header + 32) & 0xFFFF;
        entries = coloursUsed != 0 ? coloursUsed : PaletteSize(dib.bitsPerPixel);
        entryBytes = 4;
        if (dib.compression == kBitFields) {
            const std::uint8_t* masks = file.At(headerStart + 40, 12);
            if (masks == nullptr) {
                return Failure::Conversion;
            }
            for (int c = 0; c < 3; ++c) {
                dib.channels[c] = MakeChannel(LoadU32(masks + 4 * c));
            }
            maskBytes = 12;
        }
    }
    const std::size_t paletteStart = headerStart + headerSize + maskBytes;
    const std::uint8_t* table = file.At(paletteStart, static_cast<std::size_t>(entries) * entryBytes);
    if (table == nullptr) {
        return Failure::Conversion;
    }
    for (std::uint32_t i = 0; i < entries && i < 256; ++i) {
        dib.palette[i][0] = table[i * entryBytes + 2];
        dib.palette[i][1] = table[i * entryBytes + 1];
        dib.palette[i][2] = table[i * entryBytes];
    }
    if (fileHeader) {
        dib.pixelOffset = LoadU32(file.At(10, 4));
    } else {
        dib.pixelOffset = paletteStart + static_cast<std::size_t>(entries) * entryBytes;
    }
    if (dib.compression == kUncompressed && (dib.bitsPerPixel == 16 || dib.bitsPerPixel == 32)) {
        const bool wide = dib.bitsPerPixel == 32;
        dib.channels[0] = MakeChannel(wide ? 0x00FF0000 : 0x7C00);
        dib.channels[1] = MakeChannel(wide ? 0x0000FF00 : 0x03E0);
        dib.channels[2] = MakeChannel(wide ? 0x000000FF : 0x001F);
    }
    return Failure::None;
}

bool EncodingHandled(const Dib& dib) {
    switch (dib.compression) {
    case kUncompressed:
        return PaletteSize(dib.bitsPerPixel) != 0 || dib.bitsPerPixel == 16 || dib.bitsPerPixel == 24 ||
               dib.bitsPerPixel == 32;
    case kRle8:
        return dib.bitsPerPixel == 8 && dib.height > 0;
    case kRle4:
        return dib.bitsPerPixel == 4 && dib.height > 0;
    case kBitFields:
        return dib.bitsPerPixel == 16 || dib.bitsPerPixel == 32;
    default:
        return false;
    }
}

void PutIndex(const Dib& dib, std::uint8_t* rgb, unsigned index) {
    rgb[0] = dib.palette[index][0];
    rgb[1] = dib.palette[index][1];
    rgb[2] = dib.palette[index][2];
}

// One stored row into one output row of width pixels; the row's bytes are known to be there.
void DecodeRow(const Dib& dib, const std::uint8_t* row, std::uint8_t* out, std::int64_t width) {
    for (std::int64_t x = 0; x < width; ++x, out += 3) {
        switch (dib.bitsPerPixel) {
        case 1:
            PutIndex(dib, out, (row[x / 8] >> (7 - x % 8)) & 1);
            break;
        case 4:
            PutIndex(dib, out, (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F);
            break;
        case 8:
            PutIndex(dib, out, row[x]);
            break;
        case 24:
            out[0] = row[x * 3 + 2];
            out[1] = row[x * 3 + 1];
            out[2] = row[x * 3];
            break;
        default: {
            const std::uint32_t pixel = dib.bitsPerPixel == 16 ? LoadU16(row + x * 2) : LoadU32(row + x * 4);
            for (int c = 0; c < 3; ++c) {
                out[c] = ChannelByte(dib.channels[c], pixel);
            }
            break;
        }
        }
    }
}

// Bytes of one stored row of an uncompressed picture: whole 32-bit words.
std::uint64_t StoredRowBytes(const Dib& dib) {
    return (dib.bitsPerPixel * static_cast<std::uint64_t>(dib.width) + 31) / 32 * 4;
}

// The stored rows of an uncompressed picture, or nullptr when the file ends before the last of
// them. The pixel limit checked before keeps the product far from wrapping.
const std::uint8_t* UncompressedRows(const ByteCursor& file, const Dib& dib, std::uint64_t rows) {
    return file.At(dib.pixelOffset, static_cast<std::size_t>(StoredRowBytes(dib) * rows));
}

Failure DecodeUncompressed(const ByteCursor& file, const Dib& dib, std::uint8_t* out) {
    const std::uint64_t rows = static_cast<std::uint64_t>(dib.height < 0 ? -dib.height : dib.height);
    const std::uint64_t rowBytes = StoredRowBytes(dib);
    const std::uint8_t* data = UncompressedRows(file, dib, rows);
    if (data == nullptr) {
        return Failure::Conversion;
    }
    const std::uint64_t outRow = static_cast<std::uint64_t>(dib.width) * 3;
    for (std::uint64_t r = 0; r < rows; ++r) {
        const std::uint64_t target = dib.height < 0 ? rows - 1 - r : r;
        DecodeRow(dib, data + r * rowBytes, out + target * outRow, dib.width);
    }
    return Failure::None;
}

// Run-length-encoded 4 and 8-bit data, bottom row first. Pixels the runs skip stay black; runs
// that reach past a row's end or the picture's top are clipped; data cut short ends the decoding.
Failure DecodeRunLength(const ByteCursor& file, const Dib& dib, std::uint8_t* out) {
    const std::uint8_t* data = file.At(dib.pixelOffset, 0);
    if (data == nullptr) {
        return Failure::Conversion;
    }
    const std::size_t size = file.Size() - dib.pixelOffset;
    const bool nibbles = dib.compression == kRle4;
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::size_t at = 0;
    const auto put = [&](unsigned index) {
        if (x < dib.width && y < dib.height) {
            PutIndex(dib, out + (y * dib.width + x) * 3, index);
        }
        ++x;
    };
    while (at + 2 <= size && y < dib.height) {
        const unsigned count = data[at];
        const unsigned value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) {
                put(nibbles ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
            }
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (at + 2 > size) {
                break;
            }
            x += data[at];
            y += data[at + 1];
            at += 2;
        } else {
            const std::size_t bytes = nibbles ? (value + 1) / 2 : value;
            if (at + bytes > size) {
                break;
            }
            for (unsigned i = 0; i < value; ++i) {
                put(nibbles ? (i % 2 == 0 ? data[at + i / 2] >> 4 : data[at + i / 2] & 0x0F) : data[at + i]);
            }
            at += (bytes + 1) / 2 * 2; // absolute runs are padded to 16 bits
        }
    }
    return Failure::None;
}

const char* FailureText(Failure failure) {
    switch (failure) {
    case Failure::UnknownFormat:
        return "Unknown DIB file format.";
    case Failure::OutOfMemory:
        return "Out of memory.";
    default:
        return "Image file conversion error.";
    }
}

Failure Decode(const ByteCursor& file, std::int32_t maxSide, std::uint64_t pixelAllowance,
               std::unique_ptr<RgbImage>& image) {
    Dib dib;
    const Failure headers = ReadHeaders(file, dib);
    if (headers != Failure::None) {
        return headers;
    }
    if (dib.width <= 0 || dib.height == 0 || !EncodingHandled(dib)) {
        return Failure::Conversion;
    }
    const std::uint64_t rows = static_cast<std::uint64_t>(dib.height < 0 ? -dib.height : dib.height);
    // A side the texture cannot have is a picture the game cannot use (the mipmap builder is not
    // safe with one), so it is not converted.
    if (dib.width > maxSide || rows > static_cast<std::uint64_t>(maxSide)) {
        return Failure::Conversion;
    }
    const std::uint64_t pixelCount = static_cast<std::uint64_t>(dib.width) * rows;
    // Larger pictures are refused rather than attempted.
    if (pixelCount > kMaxPicturePixels) {
        return Failure::OutOfMemory;
    }
    // A file too short for its pixels is refused before the picture's memory is taken: a header
    // of a few dozen bytes must not cost hundreds of megabytes.
    const bool runLength = dib.compression == kRle8 || dib.compression == kRle4;
    if (!runLength && UncompressedRows(file, dib, rows) == nullptr) {
        return Failure::Conversion;
    }
    if (runLength) {
        const std::size_t dataBytes = dib.pixelOffset < file.Size() ? file.Size() - dib.pixelOffset : 0;
        if (pixelCount > kRunLengthPixelFloor && pixelCount > kPixelsPerRunLengthByte * dataBytes) {
            return Failure::Conversion;
        }
    }
    // What is left of the caller's allowance is checked once the file is known to hold the picture.
    if (pixelCount > pixelAllowance) {
        return Failure::OutOfMemory;
    }
    const std::size_t bytes = static_cast<std::size_t>(dib.width) * rows * 3;
    std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[bytes]());
    image.reset(new (std::nothrow) RgbImage);
    if (pixels == nullptr || image == nullptr) {
        image.reset();
        return Failure::OutOfMemory;
    }
    const Failure decoded =
        runLength ? DecodeRunLength(file, dib, pixels.get()) : DecodeUncompressed(file, dib, pixels.get());
    if (decoded != Failure::None) {
        image.reset();
        return decoded;
    }
    image->width = static_cast<std::int32_t>(dib.width);
    image->height = static_cast<std::int32_t>(rows);
    image->pixels = std::move(pixels);
    return Failure::None;
}

// The reader's boxes belong to the window that has the keyboard focus, if any has.
void ShowReaderError(const char* text) {
    platform::SetMessageBoxOwnerToFocus();
    ShowMessage("Error", text, MessageIcon::None);
    platform::SetMessageBoxOwner(nullptr);
}

} // namespace

std::unique_ptr<RgbImage> ReadBmpImage(const char* path, std::int32_t maxSide, std::uint64_t pixelAllowance) {
    FileBytes bytes;
    if (!bytes.Open(path)) {
        ShowReaderError((std::string("Failed to open DIB file ") + path + ".\n").c_str());
        return nullptr;
    }
    std::unique_ptr<RgbImage> image = DecodeBmpBytes(bytes.Data(), bytes.Size(), maxSide, pixelAllowance);
    if (bytes.Changed()) {
        ShowReaderError((std::string("The DIB file ") + path + " changed while it was read.").c_str());
        return nullptr;
    }
    return image;
}

std::unique_ptr<RgbImage> DecodeBmpBytes(const std::uint8_t* data, std::size_t size, std::int32_t maxSide,
                                         std::uint64_t pixelAllowance) {
    std::unique_ptr<RgbImage> image;
    const Failure failure = Decode(ByteCursor(data, size), maxSide, pixelAllowance, image);
    if (failure != Failure::None) {
        ShowReaderError(FailureText(failure));
        return nullptr;
    }
    return image;
}
