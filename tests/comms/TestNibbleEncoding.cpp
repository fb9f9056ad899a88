#include "Nibble.h"
#include "ZorvantaMidiProcessor.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using V = std::vector<unsigned char>;

TEST(NibbleEncoding, SingleValuesMostSignificantFirst)
{
    unsigned char out[16] = {};
    unsigned int pos = 0;
    nibble(0xA7, out, pos);
    EXPECT_EQ(pos, 2u);
    EXPECT_EQ(V(out, out + 2), (V { 0xA, 0x7 }));

    pos = 0;
    EXPECT_EQ(nibble2(0x12F0, out, pos), static_cast<unsigned char>(0x12 + 0xF0));
    EXPECT_EQ(V(out, out + pos), (V { 1, 2, 0xF, 0 }));

    pos = 3; // the position is taken and advanced, not reset
    EXPECT_EQ(
        nibble4(0x89ABCDEFul, out, pos), static_cast<unsigned char>(0x89 + 0xAB + 0xCD + 0xEF));
    EXPECT_EQ(pos, 11u);
    EXPECT_EQ(V(out + 3, out + 11), (V { 8, 9, 0xA, 0xB, 0xC, 0xD, 0xE, 0xF }));
}

TEST(NibbleEncoding, BlocksWithAndWithoutLength)
{
    unsigned char out[64];
    const unsigned char two[] = { 0x12, 0xF0 };
    int n = ZorvantaMidiProcessor::Nibbleize(two, 2, out, 0);
    EXPECT_EQ(V(out, out + n), (V { 1, 2, 0xF, 0, 0xF, 0xE }));

    const unsigned char one[] = { 0x05 };
    n = ZorvantaMidiProcessor::Nibbleize(one, 1, out, 1);
    EXPECT_EQ(V(out, out + n), (V { 0, 0, 0, 0, 0, 0, 0, 1, 0, 5, 0xF, 0xA }));

    // An empty block is just the checksum of nothing.
    n = ZorvantaMidiProcessor::Nibbleize(nullptr, 0, out, 0);
    EXPECT_EQ(V(out, out + n), (V { 0, 0 }));
}

TEST(NibbleEncoding, DecodedBlockSumsToZeroAndRoundTrips)
{
    std::vector<unsigned char> data(300);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<unsigned char>(i * 37 + 11);
    std::vector<unsigned char> enc(2 * data.size() + 26);
    const int n = ZorvantaMidiProcessor::Nibbleize(data.data(), 300, enc.data(), 1);
    ASSERT_EQ(n, 2 * 300 + 2 + 8);
    for (int i = 0; i < n; ++i)
        ASSERT_LT(enc[i], 16) << "nibble " << i;
    std::vector<char> dec(n / 2);
    denibbleize(enc.data(), dec.data(), n);
    const unsigned sum = std::accumulate(dec.begin(), dec.end(), 0u,
        [](unsigned s, char c) { return s + static_cast<unsigned char>(c); });
    EXPECT_EQ(sum % 256, 0u);
    EXPECT_EQ(static_cast<unsigned char>(dec[3]), 300 % 256);
    EXPECT_EQ(static_cast<unsigned char>(dec[2]), 300 / 256);
    for (size_t i = 0; i < data.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(dec[4 + i]), data[i]);
}

TEST(NibbleEncoding, DenibbleizeOddCountIgnoresLastNibble)
{
    const unsigned char in[] = { 0x03, 0x0C, 0x07 };
    char out[2] = { 0x55, 0x55 };
    denibbleize(in, out, 3);
    EXPECT_EQ(static_cast<unsigned char>(out[0]), 0x3C);
    EXPECT_EQ(out[1], 0x55); // nothing written past count/2 bytes
}
