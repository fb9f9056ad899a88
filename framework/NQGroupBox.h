#pragma once
#include "CWnd.h"

class CDialog;
class QGroupBox;
class QLayout;

// A titled group box placed by a layout; give box() a layout to fill it.
class NQGroupBox : public CWnd {
public:
    NQGroupBox() = default;
    NQGroupBox(const char* title, CDialog* dialog, UINT id, QLayout* layout);

    BOOL Create(const char* title, CDialog* dialog, UINT id, QLayout* layout);
    QGroupBox* box() const;
    void SetWindowText(const char* text) override;
    void GetWindowText(CString& text) const override;
};
