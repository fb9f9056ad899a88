#include "HelpDialog.h"

#include "CEdit.h"
#include "NQButton.h"

#include <QBoxLayout>
#include <QByteArray>
#include <QFile>
#include <QWidget>

#include <memory>

Q_BEGIN_MESSAGE_MAP(HelpDialog, CDialog)
Q_END_MESSAGE_MAP()

HelpDialog::HelpDialog(UINT templateId, UINT textId, const char* fileName, CWnd* parent)
    : CDialog(templateId, parent)
    , fileName(fileName ? fileName : "")
    , textId(static_cast<int>(textId))
{
}

BOOL HelpDialog::OnInitDialog()
{
    QWidget* w = GetWidget();
    auto* row = new QHBoxLayout(w);
    CEdit* text = Own(std::make_unique<CEdit>());
    text->Create(this, static_cast<UINT>(textId), row, 400, 0, 400, 1000);
    text->SetReadOnly(TRUE);
    auto* buttons = new QVBoxLayout;
    Own(std::make_unique<NQButton>("OK", this, IDOK, buttons, 0, 0));
    buttons->addStretch(10);
    row->addLayout(buttons);
    SetWindowText("Routing Help");

    QFile file(fileName.toQString());
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray bytes = file.readAll();
        // The text ends at the first zero byte, as a C string does.
        const int end = bytes.indexOf('\0');
        if (end >= 0)
            bytes.truncate(end);
        text->SetWindowText(bytes.constData());
    } else {
        CString missing;
        missing.Format("Can't find text file \"%s\"", static_cast<const char*>(fileName));
        text->SetWindowText(missing);
    }
    return TRUE;
}
