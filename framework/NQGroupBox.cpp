#include "NQGroupBox.h"
#include "CDialog.h"
#include "CString.h"
#include <QGroupBox>
#include <QLayout>

NQGroupBox::NQGroupBox(const char* title, CDialog* dialog, UINT id, QLayout* layout)
{
    Create(title, dialog, id, layout);
}

BOOL NQGroupBox::Create(const char* title, CDialog* dialog, UINT id, QLayout* layout)
{
    m_parent = dialog;
    auto* g = new QGroupBox(dialog ? dialog->GetWidget() : nullptr);
    setWidget(g);
    SetWindowText(title);
    if (dialog)
        dialog->AddDialogItem(this, id);
    else
        SetDlgCtrlID(id);
    if (layout)
        layout->addWidget(g);
    return TRUE;
}

QGroupBox* NQGroupBox::box() const
{
    return qobject_cast<QGroupBox*>(GetWidget());
}

void NQGroupBox::SetWindowText(const char* text)
{
    if (QGroupBox* g = box())
        g->setTitle(textToQString(text));
}

void NQGroupBox::GetWindowText(CString& text) const
{
    QGroupBox* g = box();
    text = g ? CString(g->title()) : CString();
}
