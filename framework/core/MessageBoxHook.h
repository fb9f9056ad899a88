#pragma once
#include "FrameworkTypes.h"
#include <QString>
#include <functional>
#include <vector>

class QObject;

// Message box flags: button set in (flags & 0x7F0), icon in (flags & 7).
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x10;
constexpr UINT MB_YESNO = 0x40;
constexpr UINT MB_YESNO2 = 0x80;
constexpr UINT MB_RETRYCANCEL = 0x100;
constexpr UINT MB_ABORTRETRYIGNORE = 0x200;
constexpr UINT MB_YESNOCANCEL = 0x400;
constexpr UINT MB_BUTTONMASK = 0x7F0;
constexpr UINT MB_ICONNONE = 0;
constexpr UINT MB_ICONINFORMATION = 1;
constexpr UINT MB_ICONWARNING = 2;
constexpr UINT MB_ICONCRITICAL = 3;
constexpr UINT MB_ICONQUESTION = 4;
constexpr UINT MB_ICONMASK = 0x7;

// Button values, returned by a message box for the pressed button. OK and Cancel
// share their values with IDOK and IDCANCEL.
constexpr int IDBOX_OK = 1024;
constexpr int IDBOX_CANCEL = 0x400000;
constexpr int IDYES = 0x4000;
constexpr int IDNO = 0x10000;
constexpr int IDABORT = 0x40000;
constexpr int IDRETRY = 0x80000;
constexpr int IDIGNORE = 0x100000;

// The buttons a box with these flags shows, in order; the first is the default answer.
std::vector<int> messageBoxButtons(UINT flags);
// The icon number 0..4 (none, information, warning, critical, question); 0 for 5..7.
int messageBoxIcon(UINT flags);

// The process-wide message box. `caption` is the main text, `text` the secondary one,
// `detail` an optional explanation the user can unfold. Returns the pressed button's value.
using MessageBoxHandler = std::function<int(QObject* parent, const QString& text,
    const QString& caption, UINT flags, const QString& detail)>;

// Installs the handler every FrameworkMessageBox call goes to; returns the previous
// one. An empty handler restores the default, which prints the box to standard error
// and answers with its first button.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

int FrameworkMessageBox(QObject* parent, const QString& text, const QString& caption, UINT flags,
    const QString& detail = QString());
