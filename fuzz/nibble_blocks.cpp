// Nibble encoding of binary blocks: whatever the data, a block encodes to
// values 0..15 only, has the announced size, decodes back to its bytes, and
// its decoded bytes (length prefix and checksum included) sum to 0 mod 256.
//
// Input: a flags byte (bit 0: with length prefix), then the data bytes.
#include "FuzzSupport.h"

#include "Nibble.h"
#include "ZorvantaMidiProcessor.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool withLength = data[0] & 1;
    const std::uint8_t* bytes = data + 1;
    const int n = static_cast<int>(size - 1);

    // Guard bytes after the announced size catch writes past it.
    const size_t expected = size_t(2 * n + 2 + (withLength ? 8 : 0));
    std::vector<unsigned char> out(expected + 16, 0xAA);
    const int written = ZorvantaMidiProcessor::Nibbleize(bytes, n, out.data(), withLength ? 1 : 0);
    FUZZ_CHECK(size_t(written) == expected, "block size " + std::to_string(written));
    for (size_t i = expected; i < out.size(); ++i)
        FUZZ_CHECK(out[i] == 0xAA, "written past the block");
    for (size_t i = 0; i < expected; ++i)
        FUZZ_CHECK(out[i] < 16, "value above 15 at " + std::to_string(i));

    std::vector<char> decoded(expected / 2 + 1, 0);
    denibbleize(out.data(), decoded.data(), static_cast<int>(expected));
    unsigned sum = 0;
    for (size_t i = 0; i < expected / 2; ++i)
        sum += static_cast<unsigned char>(decoded[i]);
    FUZZ_CHECK(sum % 256 == 0, "checksum does not cancel the sum");

    const size_t first = withLength ? 4 : 0;
    if (withLength) {
        unsigned long announced = 0;
        for (size_t i = 0; i < 4; ++i)
            announced = announced << 8 | static_cast<unsigned char>(decoded[i]);
        FUZZ_CHECK(announced == static_cast<unsigned long>(n), "length prefix");
    }
    for (int i = 0; i < n; ++i)
        FUZZ_CHECK(static_cast<unsigned char>(decoded[first + size_t(i)]) == bytes[i],
            "byte " + std::to_string(i) + " does not decode back");

    // The 16- and 32-bit forms return the 8-bit sum of their bytes.
    if (n >= 4) {
        const unsigned long v = (unsigned long)bytes[0] << 24 | (unsigned long)bytes[1] << 16
            | (unsigned long)bytes[2] << 8 | bytes[3];
        unsigned char word[16];
        unsigned int pos = 0;
        const unsigned char s4 = nibble4(v, word, pos);
        FUZZ_CHECK(pos == 8, "nibble4 advances by 8");
        FUZZ_CHECK(s4 == static_cast<unsigned char>(bytes[0] + bytes[1] + bytes[2] + bytes[3]),
            "nibble4 sum");
        const unsigned char s2 = nibble2(static_cast<unsigned short>(v & 0xFFFF), word, pos);
        FUZZ_CHECK(pos == 12, "nibble2 advances by 4");
        FUZZ_CHECK(s2 == static_cast<unsigned char>(bytes[2] + bytes[3]), "nibble2 sum");
        char back[6];
        denibbleize(word, back, 12);
        for (int i = 0; i < 4; ++i)
            FUZZ_CHECK(static_cast<unsigned char>(back[i]) == bytes[i], "32-bit form decodes back");
    }
    return 0;
}
