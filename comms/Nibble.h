#pragma once
// Nibble encoding of binary payloads: every byte travels as two 7-bit-safe
// bytes, the high four bits first.

// Writes the two nibbles of one byte at out[pos]; pos advances by 2.
void nibble(unsigned char value, unsigned char* out, unsigned int& pos);
// Writes a 16-bit value as four nibbles, most significant first; returns the
// 8-bit sum of its two bytes.
unsigned char nibble2(unsigned short value, unsigned char* out, unsigned int& pos);
// Writes a 32-bit value as eight nibbles, most significant first; returns the
// 8-bit sum of its four bytes.
unsigned char nibble4(unsigned long value, unsigned char* out, unsigned int& pos);
// Turns count nibbles into count/2 bytes (first nibble * 16 + second).
void denibbleize(const unsigned char* in, char* out, int count);
// Encodes a binary block: optional 32-bit length, the data bytes, and a
// checksum byte making the sum of all encoded bytes 0 modulo 256. Returns the
// number of nibbles written (2 * length + 2, plus 8 with the length).
int nibbleizeBlock(
    const unsigned char* data, int length, unsigned char* out, signed char withLength);
