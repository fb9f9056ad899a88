#pragma once
#include "CEdit.h"

class CDialog;
class QLayout;
class QWidget;

// A one-line-high multi-line edit field. Text changed by the user notifies
// scEditChange (and clears the modified flag); focus changes notify scSetFocus
// and scKillFocus. Nothing is notified for a field without id.
class NQLineEdit : public CEdit {
public:
    NQLineEdit() = default;
    NQLineEdit(CDialog* dialog, UINT id, QLayout* layout, int minWidth = 0, int maxWidth = 0);
    NQLineEdit(CDialog* dialog, UINT id, QWidget* parent, int minWidth = 0, int maxWidth = 0);
    ~NQLineEdit() override;

    BOOL Create(CDialog* dialog, UINT id, QLayout* layout, int minWidth = 0, int maxWidth = 0);
    BOOL Create(CDialog* dialog, UINT id, QWidget* parent, int minWidth = 0, int maxWidth = 0);

private:
    void setUp(CDialog* dialog, UINT id, QWidget* parent, int minWidth, int maxWidth);
    void focusChanged(bool in);
    friend class NQLineEditFocus;
};
