#pragma once
#include "CDialog.h"

// One page of a property sheet: a dialog built inside the sheet's tab widget.
class CPropertyPage : public CDialog {
public:
    // The caption becomes the page's window title, which titles its tab.
    explicit CPropertyPage(UINT templateId = 0, const char* caption = nullptr);
    ~CPropertyPage() override;

    // Called when the user switches to this page while the sheet is shown.
    virtual BOOL OnSetActive();

    // Builds the page's widgets inside `sheet` (used by the sheet).
    BOOL CreatePage(CWnd* sheet);

private:
    CString m_caption;
};
