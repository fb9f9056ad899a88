#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPen>

// Graphic objects selected into a drawing context (CDC): pens, brushes and
// fonts as thin value wrappers over the toolkit's own pen, brush and font.

// A 0xAARRGGBB colour as a toolkit colour. Drawing ignores the alpha byte:
// every colour is opaque.
QColor ColorFromArgb(unsigned argb);
// A toolkit colour as 0xFFRRGGBB.
unsigned ArgbFromColor(const QColor& colour);

class CPen {
public:
    CPen() = default; // the toolkit's default pen: solid black, 1 pixel
    CPen(int style, int width, unsigned colour) { CreatePen(style, width, colour); }
    explicit CPen(const QPen& pen)
        : m_pen(pen)
    {
    }

    // style is the toolkit's line style number (0 none, 1 solid, 2 dash, ...).
    void CreatePen(int style, int width, unsigned colour);
    unsigned GetColor() const { return ArgbFromColor(m_pen.color()); }
    const QPen& qpen() const { return m_pen; }

private:
    QPen m_pen;
};

class CBrush {
public:
    CBrush() = default; // no fill
    explicit CBrush(unsigned colour) { CreateSolidBrush(colour); }
    explicit CBrush(const QBrush& brush)
        : m_brush(brush)
    {
    }

    void CreateSolidBrush(unsigned colour);
    const QBrush& qbrush() const { return m_brush; }

private:
    QBrush m_brush;
};

// Length of the face name in LOGFONT, terminator included.
constexpr int LF_FACESIZE = 32;

// A logical font description. Heights are in pixels: negative for the
// character height, positive for the cell height (both map to the toolkit's
// pixel size here); weight 400 is normal, 700 bold.
struct LOGFONT {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = 400;
    unsigned char lfItalic = 0;
    unsigned char lfUnderline = 0;
    unsigned char lfStrikeOut = 0;
    unsigned char lfCharSet = 0;
    unsigned char lfOutPrecision = 0;
    unsigned char lfClipPrecision = 0;
    unsigned char lfQuality = 0;
    unsigned char lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};

class CFont {
public:
    CFont() = default;
    explicit CFont(const QFont& font)
        : m_font(font)
    {
    }

    // Builds the font from a logical description; FALSE (0) for a null one.
    int CreateFontIndirect(const LOGFONT* lf);
    // Describes the font; the face name is cut to fit and always terminated.
    // Returns FALSE (0) for a null target.
    int GetLogFont(LOGFONT* lf) const;

    const QFont& qfont() const { return m_font; }

private:
    QFont m_font;
};
