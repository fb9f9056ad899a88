// The help window: the text of a file from the current folder, with an OK button.
#pragma once

#include "CDialog.h"
#include "CString.h"

class HelpDialog : public CDialog {
    Q_DECLARE_MESSAGE_MAP(HelpDialog)
public:
    HelpDialog(UINT templateId, UINT textId, const char* fileName, CWnd* parent);
    HelpDialog(const HelpDialog&) = delete;
    HelpDialog& operator=(const HelpDialog&) = delete;

    BOOL OnInitDialog() override;

    CString fileName; // relative to the current folder
    int textId; // id of the text field
};
