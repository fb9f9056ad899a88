#include "CButton.h"
#include "CString.h"
#include <QPushButton>

BOOL CButton::Attach(CWnd* parent)
{
    m_parent = parent;
    auto* b = new QPushButton(parent ? parent->GetWidget() : nullptr);
    setWidget(b);
    QObject::connect(b, &QPushButton::clicked, b, [this] { onClicked(); });
    return TRUE;
}

int CButton::Create(const char* text, DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    Attach(parent);
    SetWindowText(text);
    placeControl(style, rect, parent, id);
    return 0;
}

QPushButton* CButton::button() const
{
    return qobject_cast<QPushButton*>(GetWidget());
}

void CButton::onClicked()
{
    Notify(scClicked);
}

void CButton::SetCheck(int check)
{
    if (QPushButton* b = button()) {
        b->setCheckable(true);
        b->setChecked(check > 0);
    }
}

int CButton::GetCheck() const
{
    QPushButton* b = button();
    return b && b->isChecked() ? 1 : 0;
}

void CButton::SetWindowText(const char* text)
{
    if (QPushButton* b = button())
        b->setText(textToQString(text));
}

void CButton::GetWindowText(CString& text) const
{
    QPushButton* b = button();
    text = b ? CString(b->text()) : CString();
}
