#pragma once
// The panel description: a text file of records "KEYWORD left,top,right,bottom"
// naming regions of the panel picture. Each record is scaled (once the
// OUTLINE record has fixed the scale) and handed to the overridable
// operation of its keyword.

#include "FrameworkTypes.h"
#include "Geometry.h"

#include <cstdio>

class EmfDescriptor {
public:
    EmfDescriptor() = default;
    EmfDescriptor(const EmfDescriptor&) = delete;
    EmfDescriptor& operator=(const EmfDescriptor&) = delete;

    virtual void DeleteAll() { }
    virtual void WheelProcess(const CRect&, void*) { }
    virtual void LedProcess(const CRect&, void*) { }
    virtual void ScreenProcess(const CRect&, void*) { }
    virtual void ButtonProcess(const CRect&, void*) { }
    virtual void OutlineProcess(const CRect&, void*) { }
    virtual ~EmfDescriptor() = default;

    // Reads the description at path, passing context to every operation.
    // FALSE, after telling the user, when the file cannot be opened.
    BOOL Load(const char* path, void* context);

    // Multiplies every edge by the scale, toward zero; nothing while the scale is 0.
    void ScaleRect(CRect& r) const;

    const CRect& GetOutline() const { return outline; }
    int GetButtonCount() const { return buttonCount; }
    int GetLedCount() const { return ledCount; }
    int GetLargestLedSize() const { return largestLed; }
    double GetScale() const { return scale; }

    // Longest keyword kept for comparison; longer words are read whole and
    // match no keyword.
    static constexpr int keywordLimit = 31;

protected:
    CRect outline;
    int buttonCount = 0;
    int ledCount = 0;
    int largestLed = 0; // largest LED width or height, after scaling
    double scale = 0; // 0 = no scaling

private:
    void dispatch(const char* keyword, const CRect& r, void* context);
};
