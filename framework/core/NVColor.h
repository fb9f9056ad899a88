#pragma once

#include "CString.h"
#include "FrameworkTypes.h"

// Section of the persistent variables when none is given.
extern const char* NVSectionName;

// A persistent colour setting: read from the settings store on first use and
// written back whenever it changes (removed when it returns to its default).
// Colours are kept in the store as signed decimal text (0xFF00FF00 is
// "-16711936").
class NVColor {
public:
    // A null section selects NVSectionName.
    NVColor(const char* entry, COLORREF def, const char* section = nullptr);

    void Create(const char* entry, COLORREF def, const char* section);

    // The colour: loaded from the store once, then cached.
    COLORREF Get();
    operator COLORREF() { return Get(); }
    // Stores a new colour when it differs from the current one.
    NVColor& operator=(COLORREF c);

    COLORREF GetDefault() const { return m_default; }
    const CString& GetEntry() const { return m_entry; }

    // Colour text as stored: the 32-bit value as a signed decimal number.
    static CString ToText(COLORREF c);
    // Stored text back to a colour; text that is not a number gives 0.
    static COLORREF FromText(const char* text);

    NVColor(const NVColor&) = delete;
    NVColor& operator=(const NVColor&) = delete;

private:
    CString m_entry;
    CString m_section;
    COLORREF m_default = 0;
    COLORREF m_current = 0;
    bool m_loaded = false;
};
