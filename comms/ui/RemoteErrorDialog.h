#pragma once
#include "CDialog.h"
#include "CEdit.h"

// The window that collects the error texts the device reports.
class RemoteErrorDialog : public CDialog {
public:
    RemoteErrorDialog();
    ~RemoteErrorDialog() override;

    void QCreate() override;
    void closeEvent(QCloseEvent* e) override;
    void OnClose() override;

    // Adds a text on a line of its own, opening the window when it is closed.
    void AddText(const char* text);
    bool IsShown() const { return shown_; }
    CString Text() const;

private:
    CEdit edit_;
    bool shown_ = false;
    bool created_ = false;
};

// The window of this run, made on first use.
RemoteErrorDialog* remoteErrorDialog();
