#pragma once
#include "CButton.h"

class CDialog;
class QLayout;

// The framework's push button, placed by a layout. A click no map entry handles
// still ends the dialog for IDOK (OnOK) and IDCANCEL (OnCancel).
class NQButton : public CButton {
public:
    NQButton() = default;
    NQButton(const char* text, CDialog* dialog, UINT id, QLayout* layout, int minWidth = 0,
        int maxWidth = 0);

    // Widths are applied when > 0.
    BOOL Create(const char* text, CDialog* dialog, UINT id, QLayout* layout, int minWidth = 0,
        int maxWidth = 0);
    void setDefault(bool on);
    void setAutoDefault(bool on);

protected:
    void onClicked() override;
};
