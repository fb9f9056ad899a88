#include "CStringRoutines.h"
#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

char* toText(unsigned long long magnitude, bool negative, char* buffer, int radix)
{
    static const char digits[] = "0123456789abcdef";
    char tmp[72];
    int n = 0;
    do {
        tmp[n++] = digits[magnitude % static_cast<unsigned>(radix)];
        magnitude /= static_cast<unsigned>(radix);
    } while (magnitude);
    char* out = buffer;
    if (negative) {
        *out++ = '-';
    }
    while (n > 0) {
        *out++ = tmp[--n];
    }
    *out = 0;
    return buffer;
}

template <typename Signed, typename Unsigned> char* convert(Signed value, char* buffer, int radix)
{
    if (!buffer) {
        return buffer;
    }
    if (radix < 2 || radix > 16) {
        buffer[0] = 0;
        return buffer;
    }
    if (radix == 10 && value < 0) {
        // Negate in the unsigned type so the most negative value is exact.
        return toText(
            static_cast<Unsigned>(Unsigned(0) - static_cast<Unsigned>(value)), true, buffer, radix);
    }
    return toText(static_cast<Unsigned>(value), false, buffer, radix);
}

int upper(char c)
{
    return std::toupper(static_cast<unsigned char>(c));
}

} // namespace

char* itoa(int value, char* buffer, int radix)
{
    return convert<int, unsigned int>(value, buffer, radix);
}

char* ltoa(long value, char* buffer, int radix)
{
    return convert<long, unsigned long>(value, buffer, radix);
}

int strnicmp(const char* a, const char* b, size_t n)
{
    a = a ? a : "";
    b = b ? b : "";
    for (size_t i = 0; i < n; ++i) {
        const int d = upper(a[i]) - upper(b[i]);
        if (d != 0 || a[i] == 0) {
            return d;
        }
    }
    return 0;
}

int stricmp(const char* a, const char* b)
{
    return strnicmp(a, b, static_cast<size_t>(-1));
}

char* strnset(char* s, int c, size_t n)
{
    if (s) {
        std::memset(s, c, std::min(n, std::strlen(s)));
    }
    return s;
}

int _snprintf(char* buffer, int n, const char* fmt, ...)
{
    if (!buffer || n <= 0 || !fmt) {
        return -1;
    }
    va_list args;
    va_start(args, fmt);
    const int needed = std::vsnprintf(buffer, static_cast<size_t>(n), fmt, args);
    va_end(args);
    if (needed < 0) {
        buffer[0] = 0;
        return -1;
    }
    return needed < n ? needed : -1;
}
