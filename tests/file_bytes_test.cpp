#include "model/FileBytes.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

// A file cut short while it is mapped: reads past its new end find zeros instead of ending the
// process, and the mapping says the file changed; an intact file's does not.
TEST(FileBytes, AFileCutShortWhileMappedReadsAsZerosAndSaysSo) {
    const std::string path = ::testing::TempDir() + "cut_short.bin";
    const std::vector<unsigned char> content(3 * 65536, 0xAB);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    ASSERT_EQ(std::fwrite(content.data(), 1, content.size(), out), content.size());
    ASSERT_EQ(std::fclose(out), 0);

    FileBytes intact;
    ASSERT_TRUE(intact.Open(path.c_str()));
    EXPECT_EQ(intact.Data()[100], 0xAB);
    EXPECT_FALSE(intact.Changed());

    FileBytes bytes;
    ASSERT_TRUE(bytes.Open(path.c_str()));
    ASSERT_EQ(truncate(path.c_str(), 0), 0);
    EXPECT_EQ(bytes.Data()[2 * 65536 + 7], 0);
    EXPECT_TRUE(bytes.Changed());
    std::remove(path.c_str());
}
