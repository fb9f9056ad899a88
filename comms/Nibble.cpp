#include "Nibble.h"

void nibble(unsigned char value, unsigned char* out, unsigned int& pos)
{
    out[pos++] = (value >> 4) & 0x0F;
    out[pos++] = value & 0x0F;
}

unsigned char nibble2(unsigned short value, unsigned char* out, unsigned int& pos)
{
    const unsigned char hi = (value >> 8) & 0xFF;
    const unsigned char lo = value & 0xFF;
    nibble(hi, out, pos);
    nibble(lo, out, pos);
    return static_cast<unsigned char>(hi + lo);
}

unsigned char nibble4(unsigned long value, unsigned char* out, unsigned int& pos)
{
    unsigned char sum = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned char b = (value >> shift) & 0xFF;
        nibble(b, out, pos);
        sum = static_cast<unsigned char>(sum + b);
    }
    return sum;
}

void denibbleize(const unsigned char* in, char* out, int count)
{
    for (int i = 0; i + 1 < count; i += 2)
        out[i / 2] = static_cast<char>(((in[i] & 0x0F) << 4) | (in[i + 1] & 0x0F));
}

int nibbleizeBlock(
    const unsigned char* data, int length, unsigned char* out, signed char withLength)
{
    unsigned int pos = 0;
    unsigned char sum = 0;
    if (withLength)
        sum = nibble4(static_cast<unsigned long>(length), out, pos);
    for (int i = 0; i < length; ++i) {
        nibble(data[i], out, pos);
        sum = static_cast<unsigned char>(sum + data[i]);
    }
    nibble(static_cast<unsigned char>(256 - sum), out, pos);
    return static_cast<int>(pos);
}
