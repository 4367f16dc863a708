#include "helpers/ExternalTools.hpp"
#include "helpers/MessageLog.hpp"
#include "model/BmpReader.hpp"
#include "tools/writers/BmpWriter.hpp"
#include "tools/writers/ChunkWriter.hpp"

#include <gtest/gtest.h>

#include <random>

using namespace testing_tools;

namespace {

std::string WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = ScratchFolder() + "/" + name;
    EXPECT_TRUE(writers::WriteFileBytes(path.c_str(), bytes));
    return path;
}

std::vector<std::uint8_t> Pixels(const RgbImage& image) {
    return std::vector<std::uint8_t>(image.pixels.get(), image.pixels.get() + image.width * image.height * 3);
}

// Reads path expecting success and no message; empty on failure.
std::vector<std::uint8_t> Decode(const std::string& path, int width, int height) {
    MessageLog log;
    const std::unique_ptr<RgbImage> image = ReadBmpImage(path.c_str());
    EXPECT_TRUE(log.Messages().empty())
        << path << ": " << (log.Messages().empty() ? "" : log.Messages()[0].text);
    if (image == nullptr) {
        return {};
    }
    EXPECT_EQ(image->width, width);
    EXPECT_EQ(image->height, height);
    return Pixels(*image);
}

// Reads path expecting failure with exactly one message of caption "Error" and this text.
void ExpectRefused(const std::string& path, const std::string& text, int maxSide = kFixedMaxTextureSide) {
    MessageLog log;
    EXPECT_EQ(ReadBmpImage(path.c_str(), maxSide), nullptr) << path;
    ASSERT_EQ(log.Messages().size(), 1u) << path;
    EXPECT_EQ(log.Messages()[0].caption, "Error");
    EXPECT_EQ(log.Messages()[0].text, text) << path;
}

// A palette of distinct colours and pixels that use every entry at some point.
writers::BmpImage Sample(int bits, int width, int height, int paletteEntries) {
    writers::BmpImage image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = bits;
    for (int i = 0; i < paletteEntries; ++i) {
        image.palette.insert(image.palette.end(),
                             {static_cast<std::uint8_t>(i * 15 + 3), static_cast<std::uint8_t>(255 - i * 7),
                              static_cast<std::uint8_t>(i * 101)});
    }
    for (int i = 0; i < width * height; ++i) {
        if (bits <= 8) {
            image.pixels.push_back(static_cast<std::uint8_t>((i * 5 + width) % paletteEntries));
        } else {
            image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(i * 37 + width),
                                                     static_cast<std::uint8_t>(i * 11 + 200),
                                                     static_cast<std::uint8_t>(255 - i * 3)});
        }
    }
    return image;
}

std::vector<std::uint8_t> Expected(const writers::BmpImage& image) {
    if (image.bitsPerPixel > 8) {
        return image.pixels;
    }
    std::vector<std::uint8_t> rgb;
    for (const std::uint8_t index : image.pixels) {
        rgb.insert(rgb.end(), &image.palette[index * 3], &image.palette[index * 3 + 3]);
    }
    return rgb;
}

std::vector<std::uint8_t> Build(const writers::BmpImage& image, const writers::BmpOptions& options = {}) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(writers::BuildBmp(image, bytes, options));
    return bytes;
}

void SetU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

bool HaveImageMagick() {
    return HaveProgram("convert");
}

} // namespace

// Every depth at widths 1 to 7 (each row padding), in every header layout, against the pixels
// written and against ImageMagick's decode of the same file.
TEST(BmpReader, DepthsWidthsAndLayoutsMatchImageMagick) {
    const bool oracle = HaveImageMagick();
    struct Layout {
        const char* name;
        writers::BmpOptions options;
    };
    writers::BmpOptions core;
    core.coreHeader = true;
    writers::BmpOptions bare;
    bare.fileHeader = false;
    writers::BmpOptions bareCore = core;
    bareCore.fileHeader = false;
    const Layout layouts[] = {{"info", {}}, {"core", core}, {"bare", bare}, {"bare core", bareCore}};
    for (const int bits : {1, 4, 8, 24, 32}) {
        const int entries = bits <= 8 ? 1 << bits : 0;
        for (int width = 1; width <= 7; ++width) {
            for (const Layout& layout : layouts) {
                if (layout.options.coreHeader && bits == 32) {
                    continue;
                }
                const writers::BmpImage image = Sample(bits, width, 3, entries);
                const std::string path = WriteBytes("depth.bmp", Build(image, layout.options));
                const std::vector<std::uint8_t> decoded = Decode(path, width, 3);
                EXPECT_EQ(decoded, Expected(image))
                    << bits << " bits, width " << width << ", " << layout.name;
                if (oracle && layout.options.fileHeader) {
                    EXPECT_EQ(decoded, ImageMagickRgbBottomUp(path, width, 3))
                        << bits << " bits, width " << width;
                }
            }
        }
    }
}

// An 8-bit file with colours used 0 has a 256-entry table; with 17, a 17-entry table, and the
// pixels follow it (for a bare bitmap, right after it).
TEST(BmpReader, ColoursUsedSetsTheTableSize) {
    const bool oracle = HaveImageMagick();
    for (const int entries : {256, 17}) {
        for (const bool fileHeader : {true, false}) {
            const writers::BmpImage image = Sample(8, 5, 4, entries);
            writers::BmpOptions options;
            options.fileHeader = fileHeader;
            const std::vector<std::uint8_t> bytes = Build(image, options);
            EXPECT_EQ(bytes.size(), (fileHeader ? 14u : 0u) + 40u + entries * 4u + 8u * 4u);
            const std::string path = WriteBytes("used.bmp", bytes);
            const std::vector<std::uint8_t> decoded = Decode(path, 5, 4);
            EXPECT_EQ(decoded, Expected(image)) << entries;
            if (oracle) {
                EXPECT_EQ(decoded, ImageMagickRgbBottomUp(path, 5, 4, fileHeader ? "bmp" : "dib")) << entries;
            }
        }
    }
    // Only the low 16 bits of colours used count: 0x10011 means 17 entries.
    writers::BmpImage image = Sample(8, 2, 2, 17);
    writers::BmpOptions options;
    options.coloursUsed = 0x10011;
    options.fileHeader = false;
    EXPECT_EQ(Decode(WriteBytes("used16.bmp", Build(image, options)), 2, 2), Expected(image));
}

// Files as ImageMagick writes them: its own palettes, monochrome, run-length-encoded 8 bits, the
// 12-byte header of its BMP2 form and bare bitmaps.
TEST(BmpReader, FilesMadeByImageMagickDecodeAsImageMagickReadsThem) {
    if (!HaveImageMagick()) {
        GTEST_SKIP() << "ImageMagick not installed";
    }
    struct Case {
        const char* recipe;
        const char* format;
    };
    const Case cases[] = {
        {"-size 7x5 gradient:red-blue -type truecolor", "bmp3"},
        {"-size 5x3 pattern:checkerboard -monochrome", "bmp3"},
        {"-size 6x3 plasma:fractal -seed 3 -colors 12 -type palette", "bmp3"},
        {"-size 33x9 plasma:fractal -seed 4 -colors 100 -type palette", "bmp3"},
        {"-size 7x5 gradient:red-blue -type palette -compress rle", "bmp3"},
        {"-size 13x7 plasma:fractal -seed 5 -colors 60 -type palette -compress rle", "bmp3"},
        {"-size 5x3 gradient:", "bmp2"},
        {"-size 6x4 gradient:green-yellow -type truecolor", "dib"},
    };
    for (const Case& c : cases) {
        const std::string path = ScratchFolder() + "/magick.bmp";
        bool ok;
        RunCommand(std::string("convert ") + c.recipe + " " + c.format + ":" + path, ok);
        ASSERT_TRUE(ok) << c.recipe;
        const std::string format = c.format == std::string("dib") ? "dib" : "bmp";
        const std::vector<std::uint8_t> size =
            RunCommand("identify -format '%w %h' " + format + ":" + path, ok);
        const std::unique_ptr<RgbImage> image = ReadBmpImage(path.c_str());
        ASSERT_NE(image, nullptr) << c.recipe;
        EXPECT_EQ(std::string(size.begin(), size.end()),
                  std::to_string(image->width) + " " + std::to_string(image->height));
        const std::vector<std::uint8_t> expected =
            ImageMagickRgbBottomUp(path, image->width, image->height, format);
        ASSERT_FALSE(expected.empty()) << c.recipe;
        EXPECT_EQ(Pixels(*image), expected) << c.recipe;
    }
}

// Encodings beyond the basic four, made by hand: 16 bits as 5-5-5 and with 5-6-5 masks, 32 bits
// with masks, run-length 4 bits, and a top-down file (turned round).
TEST(BmpReader, MaskedRunLengthAndTopDownFiles) {
    const bool oracle = HaveImageMagick();
    const auto file = [](std::uint16_t bits, std::uint32_t compression, std::int32_t width,
                         std::int32_t height, const std::vector<std::uint32_t>& extra,
                         const std::vector<std::uint8_t>& data) {
        writers::ChunkWriter w; // used as a little-endian byte sink
        const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(extra.size()) * 4;
        w.U8('B');
        w.U8('M');
        w.U32(offset + static_cast<std::uint32_t>(data.size()));
        w.U32(0);
        w.U32(offset);
        for (const std::uint32_t v :
             {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)}) {
            w.U32(v);
        }
        w.U16(1);
        w.U16(bits);
        w.U32(compression);
        w.U32(static_cast<std::uint32_t>(data.size()));
        for (int i = 0; i < 4; ++i) {
            w.U32(0);
        }
        for (const std::uint32_t v : extra) {
            w.U32(v);
        }
        w.Bytes(data.data(), data.size());
        return w.Data();
    };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        int width, height;
        std::vector<std::uint8_t> expected; // bottom row first
    };
    const std::vector<std::uint8_t> sixteen = {0x1F, 0x7C, 0xE0, 0x03, 0x00, 0x7C, 0, 0,
                                               0x21, 0x04, 0xFF, 0x7F, 0,    0,    0, 0};
    const Case cases[] = {
        {"16 bits 5-5-5",
         file(16, 0, 3, 2, {}, sixteen),
         3,
         2,
         {255, 0, 255, 0, 255, 0, 255, 0, 0, 8, 8, 8, 255, 255, 255, 0, 0, 0}},
        {"16 bits 5-6-5",
         file(16, 3, 2, 1, {0xF800, 0x07E0, 0x001F}, {0xE0, 0x07, 0x1F, 0xF8}),
         2,
         1,
         {0, 255, 0, 255, 0, 255}},
        {"32 bits masked",
         file(32, 3, 1, 1, {0x000000FF, 0x0000FF00, 0x00FF0000}, {10, 20, 30, 40}),
         1,
         1,
         {10, 20, 30}},
        {"top-down 24 bits", file(24, 0, 1, -2, {}, {1, 2, 3, 0, 4, 5, 6, 0}), 1, 2, {6, 5, 4, 3, 2, 1}},
    };
    for (const Case& c : cases) {
        const std::string path = WriteBytes("hand.bmp", c.bytes);
        const std::vector<std::uint8_t> decoded = Decode(path, c.width, c.height);
        EXPECT_EQ(decoded, c.expected) << c.name;
        if (oracle) {
            EXPECT_EQ(decoded, ImageMagickRgbBottomUp(path, c.width, c.height)) << c.name;
        }
    }
    // Run-length 4 bits with a 16-colour table: a run, an absolute run, end of line, end of bitmap.
    std::vector<std::uint32_t> palette(16);
    for (std::uint32_t i = 0; i < 16; ++i) {
        palette[i] = i * 0x00101010 + 0x00010203;
    }
    const std::vector<std::uint8_t> rle = {3, 0x12, 0, 3, 0x34, 0x50, 0, 0, 5, 0xAB, 0, 1};
    const std::string path = WriteBytes("rle4.bmp", file(4, 2, 6, 2, palette, rle));
    const std::vector<std::uint8_t> decoded = Decode(path, 6, 2);
    const auto colour = [&](int i) {
        const std::uint32_t c = palette[i];
        return std::vector<std::uint8_t>{static_cast<std::uint8_t>(c >> 16),
                                         static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)};
    };
    std::vector<std::uint8_t> expected;
    for (const int i : {1, 2, 1, 3, 4, 5, 10, 11, 10, 11, 10, 0}) {
        const std::vector<std::uint8_t> rgb = i == 0 ? std::vector<std::uint8_t>{0, 0, 0} : colour(i);
        expected.insert(expected.end(), rgb.begin(), rgb.end());
    }
    EXPECT_EQ(decoded, expected);
}

TEST(BmpReader, RefusalsAndTheirMessages) {
    ExpectRefused("/nonexistent/RedBrick.bmp", "Failed to open DIB file /nonexistent/RedBrick.bmp.\n");
    const writers::BmpImage image = Sample(8, 3, 2, 17);
    const std::vector<std::uint8_t> valid = Build(image);

    std::vector<std::uint8_t> bytes = valid;
    SetU32(bytes, 14, 124);
    ExpectRefused(WriteBytes("v5.bmp", bytes), "Unknown DIB file format.");
    SetU32(bytes, 14, 108);
    ExpectRefused(WriteBytes("v4.bmp", bytes), "Unknown DIB file format.");

    const char* conversion = "Image file conversion error.";
    bytes = valid;
    SetU32(bytes, 10, static_cast<std::uint32_t>(valid.size())); // pixel data past the end
    ExpectRefused(WriteBytes("offset.bmp", bytes), conversion);
    bytes = valid;
    SetU32(bytes, 10, 0xFFFFFFF0u);
    ExpectRefused(WriteBytes("offset2.bmp", bytes), conversion);
    bytes = valid;
    SetU32(bytes, 14 + 32, 0xFFFF); // a colour table larger than the file
    ExpectRefused(WriteBytes("palette.bmp", bytes), conversion);
    for (const std::uint32_t width : {0u, 0x80000000u}) {
        bytes = valid;
        SetU32(bytes, 18, width);
        ExpectRefused(WriteBytes("width.bmp", bytes), conversion);
    }
    bytes = valid;
    SetU32(bytes, 22, 0);
    ExpectRefused(WriteBytes("height.bmp", bytes), conversion);
    bytes = valid;
    SetU32(bytes, 18, 0x7FFFFFFF);
    SetU32(bytes, 22, 0x7FFFFFFF);
    ExpectRefused(WriteBytes("huge.bmp", bytes), conversion); // sides no texture can have
    SetU32(bytes, 18, 16384);
    SetU32(bytes, 22, 16384);
    ExpectRefused(WriteBytes("huge.bmp", bytes), "Out of memory.", 16384); // past the pixel limit
    bytes = valid;
    SetU32(bytes, 18, 100000);
    ExpectRefused(WriteBytes("wide.bmp", bytes), conversion);
    bytes = valid;
    bytes[14 + 14] = 2; // 2 bits per pixel does not exist
    ExpectRefused(WriteBytes("depth2.bmp", bytes), conversion);
    bytes = valid;
    bytes[14 + 16] = 4; // JPEG inside a BMP is not handled
    ExpectRefused(WriteBytes("jpeg.bmp", bytes), conversion);

    // Cut at every byte: nothing decodes until the file is whole, and nothing is read past the end.
    for (std::size_t cut = 0; cut < valid.size(); ++cut) {
        ExpectRefused(WriteBytes("cut.bmp", std::vector<std::uint8_t>(valid.begin(), valid.begin() + cut)),
                      conversion);
    }
    EXPECT_EQ(Decode(WriteBytes("whole.bmp", valid), 3, 2), Expected(image));
}

// Random damage to the headers of small files of every kind never reads out of bounds (visible
// under the sanitizers) and always ends in an image or exactly one message.
TEST(BmpReader, DamagedHeadersEndSafely) {
    std::mt19937 random(7);
    for (const int bits : {1, 4, 8, 24}) {
        for (const bool core : {false, true}) {
            writers::BmpOptions options;
            options.coreHeader = core;
            const std::vector<std::uint8_t> valid = Build(Sample(bits, 5, 3, bits <= 8 ? 2 : 0), options);
            for (int round = 0; round < 150; ++round) {
                std::vector<std::uint8_t> bytes = valid;
                for (int flips = 0; flips < 3; ++flips) {
                    bytes[random() % 60 % bytes.size()] = static_cast<std::uint8_t>(random());
                }
                MessageLog log;
                const std::unique_ptr<RgbImage> image =
                    ReadBmpImage(WriteBytes("damaged.bmp", bytes).c_str());
                EXPECT_EQ(log.Messages().size(), image == nullptr ? 1u : 0u);
            }
        }
    }
}
