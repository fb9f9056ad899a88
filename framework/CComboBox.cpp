#include "CComboBox.h"
#include "CDialog.h"
#include "CString.h"
#include <QAbstractItemView>
#include <QComboBox>
#include <QLayout>

void CComboBox::build(CWnd* parent)
{
    m_parent = parent;
    auto* c = new QComboBox(parent ? parent->GetWidget() : nullptr);
    setWidget(c);
    // `activated` fires only for the user's choice, also of the entry already shown.
    QObject::connect(
        c, &QComboBox::activated, c, [this](int) { Notify(scSelChange, GetTopParent()); });
}

BOOL CComboBox::Attach(CWnd* parent)
{
    build(parent);
    return TRUE;
}

BOOL CComboBox::Create(CDialog* dialog, UINT id, QLayout* layout, int minWidth)
{
    build(dialog);
    if (dialog)
        dialog->AddDialogItem(this, id);
    else
        SetDlgCtrlID(id);
    if (minWidth > 0)
        GetWidget()->setMinimumWidth(minWidth);
    if (layout)
        layout->addWidget(GetWidget());
    return TRUE;
}

BOOL CComboBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    build(parent);
    placeControl(style, rect, parent, id);
    return TRUE;
}

QComboBox* CComboBox::combo() const
{
    return qobject_cast<QComboBox*>(GetWidget());
}

int CComboBox::AddString(const char* s)
{
    QComboBox* c = combo();
    if (!c)
        return -1;
    QString text = textToQString(s);
    int at = c->count();
    if (m_sorted) {
        // Ascending by character codes; an equal text goes after the ones present.
        at = 0;
        while (at < c->count() && QString::compare(c->itemText(at), text) <= 0)
            ++at;
    }
    c->insertItem(at, text, QVariant(static_cast<qulonglong>(0)));
    return 1;
}

void CComboBox::ResetContent()
{
    if (QComboBox* c = combo())
        c->clear();
}

int CComboBox::GetCount() const
{
    QComboBox* c = combo();
    return c ? c->count() : 0;
}

int CComboBox::GetCurSel() const
{
    QComboBox* c = combo();
    return c ? c->currentIndex() : -1;
}

int CComboBox::SetCurSel(int i)
{
    QComboBox* c = combo();
    if (!c)
        return -1;
    if (i == -1) {
        c->setCurrentIndex(-1);
        return -1;
    }
    if (i < 0 || i >= c->count())
        return -1;
    c->setCurrentIndex(i);
    return i;
}

int CComboBox::GetLBText(int i, CString& s) const
{
    QComboBox* c = combo();
    if (!c || i < 0 || i >= c->count()) {
        s.Empty();
        return -1;
    }
    s = CString(c->itemText(i));
    return s.GetLength();
}

void CComboBox::GetWindowText(CString& s) const
{
    QComboBox* c = combo();
    s = c ? CString(c->currentText()) : CString();
}

void CComboBox::SetWindowText(const char* s)
{
    QComboBox* c = combo();
    if (c && c->isEditable())
        c->setEditText(textToQString(s));
}

int CComboBox::SetItemData(int i, DWORD value)
{
    QComboBox* c = combo();
    if (!c || i < 0 || i >= c->count())
        return -1;
    c->setItemData(i, QVariant(static_cast<qulonglong>(value)));
    return 1;
}

DWORD CComboBox::GetItemData(int i) const
{
    QComboBox* c = combo();
    if (!c || i < 0 || i >= c->count())
        return static_cast<DWORD>(-1);
    return static_cast<DWORD>(c->itemData(i).toULongLong());
}

int CComboBox::SetItemDataPtr(int i, void* p)
{
    QComboBox* c = combo();
    if (!c || i < 0 || i >= c->count())
        return -1;
    c->setItemData(i, QVariant(static_cast<qulonglong>(reinterpret_cast<std::uintptr_t>(p))));
    return 1;
}

int CComboBox::FindStringExact(int, const char* s) const
{
    QComboBox* c = combo();
    if (!c)
        return -1;
    return c->findText(textToQString(s), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

int CComboBox::SelectString(int start, const char* s)
{
    int i = FindStringExact(start, s);
    if (i >= 0)
        combo()->setCurrentIndex(i);
    return i;
}

void CComboBox::SetEditable(BOOL editable)
{
    if (QComboBox* c = combo())
        c->setEditable(editable != FALSE);
}

int CComboBox::SetItemHeight(int index, int height)
{
    if (index == 0)
        return 0;
    if (index != -1)
        return -1;
    if (QComboBox* c = combo())
        c->setFixedHeight(std::max(1, height));
    return 0;
}

void CComboBox::ShowDropDown(BOOL show)
{
    if (QComboBox* c = combo()) {
        if (show)
            c->showPopup();
        else
            c->hidePopup();
    }
}

void CComboBox::GetDroppedControlRect(CRect* r) const
{
    QComboBox* c = combo();
    if (!r)
        return;
    if (!c) {
        r->SetRectEmpty();
        return;
    }
    QPoint o = c->mapToGlobal(QPoint(0, 0));
    int listHeight
        = c->view() ? c->view()->sizeHintForRow(0) * std::min(c->count(), c->maxVisibleItems()) : 0;
    r->SetRect(o.x(), o.y(), o.x() + c->width(), o.y() + c->height() + std::max(0, listHeight));
}
