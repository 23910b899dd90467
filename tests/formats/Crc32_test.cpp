#include "formats/Crc32.h"

#include <gtest/gtest.h>
#include <random>
#include <zlib.h>

using namespace vallo;

TEST(Crc32, MatchesTheStandardCheckValueAndZlibAtEveryAlignment) {
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>("123456789"), 9), 0xCBF43926u);
    EXPECT_EQ(Crc32(nullptr, 0), 0u);
    std::mt19937 rng(5);
    std::vector<uint8_t> data(3000);
    for (auto& b : data)
        b = uint8_t(rng());
    // Every alignment and tail length of the eight-byte steps.
    for (size_t start = 0; start < 9; ++start)
        for (size_t len : {0, 1, 7, 8, 9, 15, 16, 17, 100, 2991})
            EXPECT_EQ(Crc32(&data[start], len), uint32_t(crc32(0, &data[start], uInt(len))))
                << start << "+" << len;
    // Continuing a CRC over a second stretch equals one pass over both.
    EXPECT_EQ(Crc32Update(Crc32(data.data(), 1234), data.data() + 1234, 1766),
              Crc32(data.data(), 3000));
}
