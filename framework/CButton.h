#pragma once
#include "CWnd.h"

class QPushButton;

// A push button control; a click notifies scClicked to its dialog.
class CButton : public CWnd {
public:
    CButton() = default;

    // Creates the button's widget inside the parent's widget.
    BOOL Attach(CWnd* parent) override;
    // A button with `text` at rect in the parent, shown when style has bit 0x2 and
    // registered with the parent under id when both are given. Returns 0.
    int Create(const char* text, DWORD style, const CRect& rect, CWnd* parent, UINT id);

    void SetCheck(int check); // checks when check > 0
    int GetCheck() const;
    void SetWindowText(const char* text) override;
    void GetWindowText(CString& text) const override;

    QPushButton* button() const;

protected:
    virtual void onClicked();
};
