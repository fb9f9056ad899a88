#pragma once

#include "CString.h"
#include "FrameworkTypes.h"
#include "GdiObjects.h"
#include "Geometry.h"

#include <QBrush>
#include <QFont>
#include <memory>

class CWnd;
class QPainter;
class QPaintDevice;

// Background modes of SetBkMode.
constexpr int TRANSPARENT = 0;
constexpr int OPAQUE = 1;

// A drawing context over the toolkit's painter: pens, brushes, fonts and
// colours are selected into it, and its shapes take rectangles with exclusive
// right and bottom edges. It either opens (and owns) a painter on a paint
// device, or borrows a painter someone else has open. Without an active
// painter, drawing does nothing but state and text measuring still work.
class CDC {
public:
    CDC();
    // Opens a painter on device; window is the framework window drawn on (may be null).
    explicit CDC(QPaintDevice* device, CWnd* window = nullptr);
    virtual ~CDC();

    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Opens an owned painter on device (ending any current one); FALSE when
    // the device cannot be painted.
    BOOL Begin(QPaintDevice* device);
    // Draws through an already active painter that stays its owner's; the
    // painter's state is saved here and restored by End.
    BOOL Attach(QPainter* painter);
    // Ends painting: closes an owned painter, restores a borrowed one.
    void End();

    QPainter* GetPainter() const { return m_painter; }
    BOOL IsActive() const;
    CWnd* GetWindow() const { return m_window; }
    void SetWindow(CWnd* window) { m_window = window; }
    // The window's font: the font in use until another is selected, and the
    // one text is measured with when no painter is active.
    void SetWindowFont(const QFont& font);
    void SetAntialiasing(BOOL on);

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(const CPoint& p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(const CPoint& p) { return LineTo(p.x, p.y); }

    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(const CRect& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }
    BOOL Ellipse(int l, int t, int r, int b);
    BOOL Ellipse(const CRect& r) { return Ellipse(r.left, r.top, r.right, r.bottom); }
    // w and h are the corner roundness in percent (0 square .. 99 fully round).
    BOOL RoundRect(int l, int t, int r, int b, int w, int h);
    BOOL RoundRect(const CRect& r, const CPoint& p)
    {
        return RoundRect(r.left, r.top, r.right, r.bottom, p.x, p.y);
    }
    // Arcs are not drawn: nothing in the system uses them.
    BOOL Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4);
    BOOL Arc(const CRect& r, const CPoint& start, const CPoint& end);
    void FillRect(const CRect& r, const CBrush* brush);
    void FillSolidRect(const CRect& r, COLORREF colour);

    // Draws the text with its baseline at y + 4/5 of the font's line height.
    BOOL TextOut(int x, int y, const CString& text);
    BOOL TextOut(int x, int y, const CString& text, int n); // first n characters
    BOOL TextOut(int x, int y, const char* text, int n = -1);
    // Draws the text inside r with the toolkit's alignment flags; returns the
    // height of the text drawn.
    int DrawText(const CString& text, const CRect& r, UINT flags);
    int DrawText(const CString& text, const CRect* r, UINT flags);
    CSize GetTextExtent(const CString& text) const;
    CSize GetTextExtent(const char* text, int n) const;

    // Makes the pen a plain pen of colour c, so it also colours following
    // lines; returns the previous pen colour.
    COLORREF SetTextColor(COLORREF c);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF c);
    int SetBkMode(int mode); // TRANSPARENT or OPAQUE

    // Each selects the object and returns the previous one, held by the
    // context until the next selection of the same kind (null for a null object).
    CPen* SelectObject(const CPen* pen);
    CBrush* SelectObject(const CBrush* brush);
    CFont* SelectObject(const CFont* font);
    // Replaces the pen without touching the one SelectObject keeps as previous.
    void SetPen(const CPen& pen);
    const CPen& GetCurrentPen() const { return m_pen; }
    const CBrush& GetCurrentBrush() const { return m_brush; }

    // Through the painter's current transformation (identity unless set).
    void LPtoDP(CPoint* p, int count = 1) const;
    void LPtoDP(CRect* r) const;
    void LPtoDP(CSize* s) const;
    void DPtoLP(CPoint* p, int count = 1) const;
    void DPtoLP(CRect* r) const;
    void DPtoLP(CSize* s) const;

    // Bounding rectangle of the clip region (the whole device when unclipped);
    // TRUE when it is not empty.
    BOOL GetClipBox(CRect* r) const;
    int GetDeviceCaps(int index) const { return index == 0 ? 16 : 0; }
    BOOL IsPrinting() const { return FALSE; }

    // Offset from a TextOut y to the baseline for the current font.
    int BaselineOffset() const;

private:
    void adoptPainterState();
    void applyPen();
    void applyBrush();
    void applyFont();
    void applyBackground();

    QPainter* m_painter = nullptr; // active painter, owned or borrowed
    std::unique_ptr<QPainter> m_ownedPainter;
    bool m_borrowed = false;
    CBrush m_prevBrush; // returned by SelectObject(CBrush*)
    CFont m_font;
    CFont m_prevFont;
    CPen m_prevPen; // returned by SelectObject(CPen*)
    mutable int m_baseline = 0; // 0 = not yet computed for the current font
    CPoint m_pos;
    QBrush m_background { Qt::white };
    CWnd* m_window = nullptr;
    CPen m_pen;
    CBrush m_brush;
    int m_bkMode = TRANSPARENT;
    bool m_hasWindowFont = false;
    QFont m_windowFont;
};
