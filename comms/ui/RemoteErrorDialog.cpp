#include "RemoteErrorDialog.h"

#include "MessageBoxQt.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <memory>

RemoteErrorDialog::RemoteErrorDialog()
    : CDialog(143, nullptr)
{
}

RemoteErrorDialog::~RemoteErrorDialog() = default;

void RemoteErrorDialog::QCreate()
{
    QDialog* d = dialog();
    if (!d)
        return;
    SetWindowText("Device Errors");
    auto* layout = new QVBoxLayout(d);
    layout->setContentsMargins(0, 0, 0, 0);
    edit_.Create(this, 1000, layout);
    d->resize(420, 180);
}

void RemoteErrorDialog::closeEvent(QCloseEvent* e)
{
    CDialog::closeEvent(e);
    OnClose();
}

void RemoteErrorDialog::OnClose()
{
    // The next text opens the window again, with nothing but that text.
    shown_ = false;
}

CString RemoteErrorDialog::Text() const
{
    CString text;
    edit_.GetWindowText(text);
    return text;
}

void RemoteErrorDialog::AddText(const char* text)
{
    if (!text || !*text)
        return;
    CString all;
    if (shown_) {
        edit_.GetWindowText(all);
        all += "\r\n";
    } else {
        // It belongs to the window the user works in: over it, and not blocked by it
        // while that window runs modally.
        if (!created_)
            created_ = Create(143, CWnd::FromHandle(messageBoxOwner(nullptr))) != 0;
        ShowWindow(1);
        shown_ = created_;
    }
    all += text;
    int end = all.GetLength();
    while (end > 0 && static_cast<unsigned char>(all.GetAt(end - 1)) < 0x20)
        --end;
    edit_.SetWindowText(all.Left(end));
}

namespace {
// The window of the run; it goes when the application object ends, while the
// toolkit can still delete its widgets.
std::unique_ptr<RemoteErrorDialog> theWindow;
void dropWindow()
{
    theWindow.reset();
}
} // namespace

RemoteErrorDialog* remoteErrorDialog()
{
    if (!theWindow) {
        theWindow = std::make_unique<RemoteErrorDialog>();
        qAddPostRoutine(dropWindow);
    }
    return theWindow.get();
}
