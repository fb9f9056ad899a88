#include "NQLabel.h"
#include "CDialog.h"
#include "CString.h"
#include <QLabel>
#include <QLayout>

NQLabel::NQLabel(
    const char* text, CDialog* dialog, UINT id, QLayout* layout, int minWidth, int maxWidth)
{
    Create(text, dialog, id, layout, minWidth, maxWidth);
}

BOOL NQLabel::Create(
    const char* text, CDialog* dialog, UINT id, QLayout* layout, int minWidth, int maxWidth)
{
    m_parent = dialog;
    auto* l = new QLabel(dialog ? dialog->GetWidget() : nullptr);
    setWidget(l);
    SetWindowText(text);
    if (dialog)
        dialog->AddDialogItem(this, id);
    else
        SetDlgCtrlID(id);
    if (minWidth > 0)
        l->setMinimumWidth(minWidth);
    if (maxWidth > 0)
        l->setMaximumWidth(maxWidth);
    if (layout)
        layout->addWidget(l);
    return TRUE;
}

QLabel* NQLabel::label() const
{
    return qobject_cast<QLabel*>(GetWidget());
}

void NQLabel::SetWindowText(const char* text)
{
    if (QLabel* l = label())
        l->setText(textToQString(text));
}

void NQLabel::GetWindowText(CString& text) const
{
    QLabel* l = label();
    text = l ? CString(l->text()) : CString();
}
