#pragma once
#include "CWnd.h"

class CDialog;
class QLayout;
class QPlainTextEdit;

// A multi-line text edit control.
class CEdit : public CWnd {
public:
    CEdit() = default;

    BOOL Attach(CWnd* parent) override;
    // An edit field as a control of the dialog, in layout; sizes applied when > 0.
    BOOL Create(CDialog* dialog, UINT id, QLayout* layout, int minWidth = 0, int maxWidth = 0,
        int minHeight = 0, int maxHeight = 0);

    void SetWindowText(const char* text) override;
    void GetWindowText(CString& text) const override;
    // Selects characters start..end (end -1: to the end of the text).
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    void Cut();
    void Copy();
    void Paste();
    BOOL Undo();
    BOOL CanUndo() const;
    void SetReadOnly(BOOL readOnly = TRUE);

    QPlainTextEdit* edit() const;

protected:
    // Creates the toolkit edit in `parentWidget`.
    QPlainTextEdit* build(CWnd* parent, QWidget* parentWidget);
    // The same as a control of the dialog (without one, only the id is set);
    // widths applied when > 0.
    QPlainTextEdit* buildControl(
        CDialog* dialog, UINT id, QWidget* parentWidget, int minWidth, int maxWidth);
    bool m_settingText = false; // SetWindowText is changing the text
};
