#pragma once

#include "FrameworkTypes.h"
#include "GdiObjects.h"

class CDC;

// Scoped selections into a drawing context: each changes one thing for the
// length of a block and puts it back when it ends. With a null context they
// do nothing. Each keeps its own copy of what it replaced, so nested scopes
// unwind correctly.

// The text colour that leaves the context's colours as they are.
constexpr COLORREF NoColorChange = 0xFEFEFEFEu;

class NPen {
public:
    NPen(CDC* dc, int style, int width, COLORREF colour);
    ~NPen();
    NPen(const NPen&) = delete;
    NPen& operator=(const NPen&) = delete;

private:
    CDC* m_dc;
    CPen m_previous;
};

class NBrush {
public:
    NBrush(CDC* dc, COLORREF colour);
    ~NBrush();
    NBrush(const NBrush&) = delete;
    NBrush& operator=(const NBrush&) = delete;

private:
    CDC* m_dc;
    CBrush m_previous;
};

class NBackColor {
public:
    NBackColor(CDC* dc, COLORREF colour);
    ~NBackColor();
    NBackColor(const NBackColor&) = delete;
    NBackColor& operator=(const NBackColor&) = delete;

private:
    CDC* m_dc;
    COLORREF m_previous = 0;
};

// Sets the text colour (which is also the line colour); NoColorChange leaves
// it. On leaving, the whole pen that was in use comes back, width included.
class NTextColor {
public:
    NTextColor(CDC* dc, COLORREF colour);
    ~NTextColor();
    NTextColor(const NTextColor&) = delete;
    NTextColor& operator=(const NTextColor&) = delete;

private:
    CDC* m_dc;
    CPen m_previous;
};

class NBackMode {
public:
    NBackMode(CDC* dc, int mode);
    ~NBackMode();
    NBackMode(const NBackMode&) = delete;
    NBackMode& operator=(const NBackMode&) = delete;

private:
    CDC* m_dc;
    int m_previous = 0;
};
