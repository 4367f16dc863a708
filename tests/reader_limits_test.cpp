// Damaged files must not cost the game memory out of proportion to their size.

#include "base/Message.hpp"
#include "helpers/MessageLog.hpp"
#include "model/BmpReader.hpp"
#include "model/Reader3DS.hpp"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAsan = true;
#else
constexpr bool kUnderAsan = false;
#endif

void PrintMessage(const char* caption, const char* text, MessageIcon) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// A "BM" file of headers only: an uncompressed 24-bit picture of width x height with no pixels.
std::vector<std::uint8_t> HeadersOnly(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> file = {'B', 'M'};
    Put32(file, 54);
    Put32(file, 0);
    Put32(file, 54);
    Put32(file, 40);
    Put32(file, width);
    Put32(file, height);
    Put16(file, 1);
    Put16(file, 24);
    for (int field = 0; field < 6; ++field) {
        Put32(file, 0);
    }
    return file;
}

} // namespace

// 54 bytes claiming 8192 x 8192 pixels: refused as a conversion error even when the process may
// not take the 192 MB such a picture needs (the reader used to take it first and then report
// "Out of memory.").
TEST(ReaderLimitsDeathTest, BmpHeadersWithoutPixelsAreRefusedBeforeThePictureIsAllocated) {
    if (kUnderAsan) {
        GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
    }
    const std::vector<std::uint8_t> file = HeadersOnly(8192, 8192);
    auto decodeUnderLimit = [&file] {
        SetMessageSink(PrintMessage);
        std::FILE* statm = std::fopen("/proc/self/statm", "r");
        long pages = 0;
        if (statm == nullptr || std::fscanf(statm, "%ld", &pages) != 1) {
            std::_Exit(3);
        }
        std::fclose(statm);
        const rlim_t limit = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (64u << 20);
        const rlimit total{limit, limit};
        setrlimit(RLIMIT_AS, &total);
        std::_Exit(DecodeBmpBytes(file.data(), file.size()) == nullptr ? 0 : 4);
    };
    EXPECT_EXIT(decodeUnderLimit(), testing::ExitedWithCode(0), "Error: Image file conversion error\\.");
}

// The same headers with their rows present still decode (the check counts stored rows).
TEST(ReaderLimits, BmpWithAllItsRowsStillDecodes) {
    std::vector<std::uint8_t> file = HeadersOnly(3, 2);
    file.resize(file.size() + 2 * 12, 0x7F); // two rows of 9 bytes padded to 12
    const std::unique_ptr<RgbImage> image = DecodeBmpBytes(file.data(), file.size());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    file.pop_back();
    const MessageSink previous = SetMessageSink([](const char*, const char*, MessageIcon) {});
    EXPECT_EQ(DecodeBmpBytes(file.data(), file.size()), nullptr);
    SetMessageSink(previous);
}

namespace {

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::vector<std::uint8_t> RegressionFile(const char* target, const char* name) {
    std::vector<std::uint8_t> bytes;
    const std::string path = std::string(JOSTRELA_FUZZ_FOLDER) + "/regressions/" + target + "/" + name;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::uint8_t buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
        std::fclose(file);
    }
    return bytes;
}

} // namespace

// Files that once took the reader over 2 GB: count-only lists are refused with the reader's
// message, a run of zero bytes is skipped unread and named; neither takes more than a few
// megabytes on top of what the process had.
TEST(ReaderLimits, HostileModelsCostLittle) {
    const std::vector<std::uint8_t> counts = RegressionFile("fuzz_3ds", "count_only_lists.3DS");
    const std::vector<std::uint8_t> zeros = RegressionFile("fuzz_3ds", "zero_chunks.3DS");
    ASSERT_FALSE(counts.empty() || zeros.empty()) << "the regression files are missing";
    testing_tools::MessageLog log;
    const long before = PeakKilobytes();
    Model model;
    EXPECT_FALSE(Read3dsBytes(model, counts.data(), counts.size(), "counts.3DS"));
    EXPECT_EQ(model.ObjectCount(), 0);
    EXPECT_TRUE(Read3dsBytes(model, zeros.data(), zeros.size(), "zeros.3DS"));
    if (!kUnderAsan) {
        EXPECT_LT(PeakKilobytes() - before, 32 * 1024);
    }
    ASSERT_EQ(log.Messages().size(), 2u);
    EXPECT_EQ(log.Messages()[0].text, "Error al cargar el archivo: counts.3DS!");
    EXPECT_EQ(
        log.Messages()[1].text,
        "El archivo zeros.3DS no contiene ning\xFAn objeto: tiene 60006 bytes y un chunk roto en el byte 6");
}
