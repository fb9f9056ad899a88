#include "SimTextFields.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

void skipBlanks(const char*& p)
{
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')
        ++p;
}

// A field ends at a blank or at the end of the text.
bool fieldEnds(const char* p)
{
    return *p == '\0' || *p == ' ' || *p == '\t' || *p == '\r' || *p == '\n';
}

} // namespace

bool readHexKey(const char*& p, long& key)
{
    skipBlanks(p);
    if (!std::isxdigit(static_cast<unsigned char>(*p)))
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long v = std::strtoul(p, &end, 16);
    if (errno || !fieldEnds(end) || v > 0xFFFFFFFFul)
        return false;
    key = static_cast<long>(v);
    p = end;
    return true;
}

bool readInt(const char*& p, long& value)
{
    skipBlanks(p);
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(p, &end, 10);
    if (end == p || errno || !fieldEnds(end))
        return false;
    value = v;
    p = end;
    return true;
}

bool readNumber(const char*& p, double& value)
{
    skipBlanks(p);
    // Only plain decimal numbers: strtod would also take "nan", "inf" and
    // hexadecimal floats, none of which is a level.
    const char* q = p;
    if (*q == '+' || *q == '-')
        ++q;
    if (!std::isdigit(static_cast<unsigned char>(*q)) && *q != '.')
        return false;
    for (const char* c = q; !fieldEnds(c); ++c)
        if (!std::isdigit(static_cast<unsigned char>(*c)) && *c != '.' && *c != 'e' && *c != 'E'
            && *c != '+' && *c != '-')
            return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(p, &end);
    if (end == p || errno == ERANGE || !fieldEnds(end) || !std::isfinite(v))
        return false;
    value = v;
    p = end;
    return true;
}

bool atEnd(const char* p)
{
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')
        ++p;
    return *p == '\0';
}
