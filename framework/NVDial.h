#pragma once
#include "NVRect.h"

class CWnd;

// A persistent window rectangle bound to a dialog: restores the dialog's screen
// rectangle from its entry and records it back (written when destroyed).
class NVDial : public NVRect {
public:
    NVDial() = default;

    // Binds the dialog and loads entry `name`. A saved rectangle at least 40 by
    // 20 pixels places the dialog's own area on it again (with repaint), as far
    // as it fits the screens: no larger than the screen it lies on and moved onto
    // it. A smaller one is ignored and the dialog's current rectangle is taken.
    void Create(CWnd* dialog, const char* name);
    // Stores r, or with null the bound dialog's current screen rectangle.
    void Change(const CRect* r = nullptr);
    CWnd* GetWindow() const { return m_window; }

private:
    CWnd* m_window = nullptr;
};
