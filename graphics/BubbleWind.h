#pragma once
// The tooltip bubble: a small window beside the mouse showing one or more
// lines of text in a rounded box, kept inside its owner's client area.

// CWnd.h reads its widget pointer inline, which needs the complete widget type.
#include <QWidget>

#include "CString.h"
#include "CWnd.h"
#include "MessageMap.h"

class CDC;

class BubbleWind : public CWnd {
    Q_DECLARE_MESSAGE_MAP(BubbleWind)
public:
    static constexpr int maxLines = 8;

    BubbleWind() = default;
    ~BubbleWind() override;

    // Creates the (hidden) bubble as a child of owner, or as a top-level
    // window without one. fill null selects the tooltip background colour.
    BOOL Create(CWnd* owner, COLORREF* fill, int margin);

    // Shows the bubble with text beside point, gap pixels away; hides it for
    // empty text. Nothing happens for the same point and text as last time.
    void Draw(CPoint point, const char* text, int gap);

    // Sets the text and resizes the bubble to fit it.
    void SetText(const char* text);

    const CRect& GetRect() const { return rect; }
    CString GetText() const override { return text; }
    int GetLineCount() const { return lineCount; }
    int GetLineLength(int i) const { return i >= 0 && i < lineCount ? lineLengths[i] : 0; }
    void SetWrapWidth(int w) { wrapWidth = w; }

    void OnMouseMove(UINT flags, CPoint point) override;

    // Draws the bubble into dc (the paint handler's work).
    void Paint(CDC* dc);

protected:
    void OnPaint();

private:
    // Splits the text into lines narrower than the wrap width; returns the
    // widest line's width and the summed height.
    CSize GetMultiLineSize(const CDC& dc);
    void prepareMeasure(CDC& dc) const;

    CRect rect;
    CString text;
    CPoint lastPoint { -32768, -32768 };
    CWnd* owner = nullptr;
    COLORREF* fillColor = nullptr;
    COLORREF textColor = 0;
    int margin = 0;
    int lineHeight = 0;
    int lineCount = 0;
    int lineLengths[maxLines] = {};
    int wrapWidth = 9999;
};
