#pragma once

#include "CString.h"
#include "Geometry.h"

// A persistent rectangle setting in the default section (NVSectionName):
// loaded from its entry when constructed or renamed, written back when
// destroyed. Stored as "left,top,right,bottom" in decimal.
class NVRect {
public:
    // With a null or empty name the rectangle is (0, 0, 0, 0) and nothing is
    // ever stored.
    explicit NVRect(const char* name = nullptr);
    virtual ~NVRect();

    // Switches to another entry and loads the rectangle from it.
    void ChangeName(const char* name);
    // Reloads the rectangle from the current entry.
    void Load();
    // Writes the rectangle to the current entry now.
    void Save() const;

    // "l,t,r,b" as four signed decimal numbers.
    static CString Format(const CRect& r);
    // Each field in turn is the leading decimal number of the remaining text
    // (0 when there is none or no text is left); the text then moves past the
    // next ','. So "5,6" is (5, 6, 0, 0) and "" is all zero.
    static CRect Parse(const char* text);

    NVRect(const NVRect&) = delete;
    NVRect& operator=(const NVRect&) = delete;

    CRect rect;

protected:
    CString m_name;
};
