#include "NVRect.h"

#include "NVColor.h"
#include "ProfileStore.h"

#include <cctype>
#include <climits>
#include <cstring>

namespace {

// The leading decimal integer of s (optional blanks and sign, then digits),
// 0 when there is none; values beyond the 32-bit range clamp to it.
int leadingInt(const char* s)
{
    while (*s == ' ' || *s == '\t')
        ++s;
    bool negative = false;
    if (*s == '-' || *s == '+') {
        negative = *s == '-';
        ++s;
    }
    long long v = 0;
    while (std::isdigit(static_cast<unsigned char>(*s))) {
        v = v * 10 + (*s - '0');
        if (v > 1LL + INT_MAX)
            v = 1LL + INT_MAX;
        ++s;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX)
        v = INT_MAX;
    return int(v);
}

} // namespace

NVRect::NVRect(const char* name)
    : rect(0, 0, 0, 0)
    , m_name(name)
{
    Load();
}

NVRect::~NVRect()
{
    Save();
}

void NVRect::ChangeName(const char* name)
{
    m_name = name;
    Load();
}

void NVRect::Load()
{
    if (m_name.IsEmpty()) {
        rect = CRect(0, 0, 0, 0);
        return;
    }
    const CString text = GetProfileString(NVSectionName, m_name, "");
    rect = Parse(text);
}

void NVRect::Save() const
{
    if (m_name.IsEmpty())
        return;
    WriteProfileString(NVSectionName, m_name, Format(rect));
}

CString NVRect::Format(const CRect& r)
{
    CString s;
    s.Format("%d,%d,%d,%d", int(r.left), int(r.top), int(r.right), int(r.bottom));
    return s;
}

CRect NVRect::Parse(const char* text)
{
    int field[4] = { 0, 0, 0, 0 };
    const char* p = text ? text : "";
    for (int& f : field) {
        if (!p || !*p) {
            f = 0;
            continue;
        }
        f = leadingInt(p);
        const char* comma = std::strchr(p, ',');
        p = comma ? comma + 1 : nullptr;
    }
    return CRect(field[0], field[1], field[2], field[3]);
}
