#include "NVColor.h"

#include "ProfileStore.h"

#include <cstdint>
#include <cstdlib>

const char* NVSectionName = "Nerilune";

NVColor::NVColor(const char* entry, COLORREF def, const char* section)
{
    Create(entry, def, section);
}

void NVColor::Create(const char* entry, COLORREF def, const char* section)
{
    m_entry = entry;
    m_section = section ? section : NVSectionName;
    m_default = def;
    m_current = def;
    m_loaded = false;
}

CString NVColor::ToText(COLORREF c)
{
    CString s;
    s.Format("%d", int(std::int32_t(c)));
    return s;
}

COLORREF NVColor::FromText(const char* text)
{
    if (!text)
        return 0;
    // Decimal long conversion: leading digits count, anything else gives 0.
    // Out-of-range values clamp rather than wrap into an unrelated colour.
    long long v = std::strtoll(text, nullptr, 10);
    if (v < INT32_MIN)
        v = INT32_MIN;
    if (v > UINT32_MAX)
        v = UINT32_MAX;
    return COLORREF(std::uint32_t(v));
}

COLORREF NVColor::Get()
{
    if (m_loaded)
        return m_current;
    // Colour variables live from before main; until the application has
    // registered its store there is nothing to load, so keep asking.
    if (!GetProfileStore())
        return m_current;
    const CString text = GetProfileString(m_section, m_entry, ToText(m_default));
    m_current = FromText(text);
    m_loaded = true;
    return m_current;
}

NVColor& NVColor::operator=(COLORREF c)
{
    // Compare with the stored value, not with a default never loaded: otherwise
    // setting the default over a stored colour would leave the stored one.
    Get();
    if (c == m_current && m_loaded)
        return *this;
    if (c == m_default)
        WriteProfileString(m_section, m_entry, nullptr);
    else
        WriteProfileString(m_section, m_entry, ToText(c));
    m_current = c;
    return *this;
}
