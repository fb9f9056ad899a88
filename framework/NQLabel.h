#pragma once
#include "CWnd.h"

class CDialog;
class QLabel;
class QLayout;

// A text label placed by a layout.
class NQLabel : public CWnd {
public:
    NQLabel() = default;
    NQLabel(const char* text, CDialog* dialog, UINT id, QLayout* layout, int minWidth = 0,
        int maxWidth = 0);

    BOOL Create(const char* text, CDialog* dialog, UINT id, QLayout* layout, int minWidth = 0,
        int maxWidth = 0);
    void SetWindowText(const char* text) override;
    void GetWindowText(CString& text) const override;
    QLabel* label() const;
};
