#pragma once
// C-string helpers the framework's callers expect beside the C library.
#include "FrameworkTypes.h"
#include <cstddef>

// Writes value in radix 2..16 with lower-case digits into buffer (at least 66 bytes);
// a '-' only in radix 10, other radices show the value's bits unsigned. Another radix
// gives an empty string. Returns buffer.
char* itoa(int value, char* buffer, int radix);
char* ltoa(long value, char* buffer, int radix);

// Compare after upper-casing each character; the difference of the first differing pair.
// A null pointer counts as an empty string.
int stricmp(const char* a, const char* b);
int strnicmp(const char* a, const char* b, size_t n);

// Sets the first min(n, length) characters of s to c; returns s.
char* strnset(char* s, int c, size_t n);

// printf into buffer, writing at most n bytes including the terminating zero, which is
// always written when n > 0. Returns the length written, or -1 when the text was cut
// (or n <= 0, or fmt is null).
int _snprintf(char* buffer, int n, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
