#pragma once
// A plain child window that fills itself with a background colour and can
// offer a right-button menu; the colour swatches and LEDs derive from it.

// CWnd.h reads its widget pointer inline, which needs the complete widget type.
#include <QWidget>

#include "CWnd.h"
#include "MessageMap.h"

#include <memory>

class CDC;
class CScrollBar;
class NQPopupMenu;

class DlgWind : public CWnd {
    Q_DECLARE_MESSAGE_MAP(DlgWind)
public:
    DlgWind();
    ~DlgWind() override;

    virtual void LButtonDblClk(UINT flags, CPoint point);
    // The menu a right click opens, or null for none.
    virtual NQPopupMenu* GetRightButtonMenu();
    virtual void ColorChanged(int which);
    virtual const char* Section();
    virtual void PostCreate();
    virtual int MaxY();

    // Fills the client area with the background colour, unless there is none
    // or filling is off. Returns TRUE.
    BOOL OnEraseBkgnd(CDC* dc) override;
    // Opens the right-button menu at the point when it has an item.
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;

    void SetBackgroundColor(COLORREF c);

protected:
    void OnLButtonDblClk(UINT flags, CPoint point);
    // Commands of the right-button menu: choose the background colour, or
    // report a change of the foreground colour to the subclass.
    void OnChangeColor();
    void OnChangeFrontColor();

private:
    // "No background" is kept apart from the colour, so that opaque white
    // (0xFFFFFFFF, which is -1 as a signed number) stays a colour.
    bool hasBackground = false;
    COLORREF background = 0;
    BOOL fill = TRUE;
    std::unique_ptr<NQPopupMenu> menu;
};
