#include "NQButton.h"
#include "CDialog.h"
#include <QLayout>
#include <QPushButton>

NQButton::NQButton(
    const char* text, CDialog* dialog, UINT id, QLayout* layout, int minWidth, int maxWidth)
{
    Create(text, dialog, id, layout, minWidth, maxWidth);
}

BOOL NQButton::Create(
    const char* text, CDialog* dialog, UINT id, QLayout* layout, int minWidth, int maxWidth)
{
    Attach(dialog);
    SetWindowText(text);
    if (dialog)
        dialog->AddDialogItem(this, id);
    else
        SetDlgCtrlID(id);
    QWidget* w = GetWidget();
    if (minWidth > 0)
        w->setMinimumWidth(minWidth);
    if (maxWidth > 0)
        w->setMaximumWidth(maxWidth);
    if (layout)
        layout->addWidget(w);
    return TRUE;
}

void NQButton::setDefault(bool on)
{
    if (QPushButton* b = button())
        b->setDefault(on);
}

void NQButton::setAutoDefault(bool on)
{
    if (QPushButton* b = button())
        b->setAutoDefault(on);
}

void NQButton::onClicked()
{
    if (Notify(scClicked) != -1)
        return;
    auto* dialog = dynamic_cast<CDialog*>(GetParent());
    if (!dialog)
        return;
    if (GetDlgCtrlID() == IDOK)
        dialog->OnOK();
    else if (GetDlgCtrlID() == IDCANCEL)
        dialog->OnCancel();
}
