#include "CPropertySheet.h"
#include "CPropertyPage.h"
#include <QDialog>
#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

CPropertySheet::CPropertySheet(const char* caption, CWnd* parent, UINT selectPage)
    : CDialog(0, parent)
    , m_caption(caption)
    , m_active(static_cast<int>(selectPage))
{
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (page)
        m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

QTabWidget* CPropertySheet::tabs() const
{
    return GetWidget() ? GetWidget()->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly)
                       : nullptr;
}

int CPropertySheet::GetActiveIndex() const
{
    QTabWidget* t = tabs();
    return t ? t->currentIndex() : m_active;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return FALSE;
    m_active = index;
    if (QTabWidget* t = tabs())
        t->setCurrentIndex(index);
    return TRUE;
}

void CPropertySheet::QCreate()
{
    QDialog* d = dialog();
    if (!d)
        return;
    if (!m_caption.IsEmpty())
        SetWindowText(m_caption);
    auto* layout = new QVBoxLayout(d);
    auto* tabWidget = new QTabWidget(d);
    layout->addWidget(tabWidget);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    for (CPropertyPage* page : m_pages) {
        if (!page->CreatePage(this))
            continue;
        CString title;
        page->GetWindowText(title);
        tabWidget->addTab(page->GetWidget(), title.toQString());
    }
    if (m_active >= 0 && m_active < tabWidget->count())
        tabWidget->setCurrentIndex(m_active);
    QObject::connect(tabWidget, &QTabWidget::currentChanged, tabWidget, [this, d](int i) {
        if (d->isVisible())
            if (CPropertyPage* p = GetPage(i))
                p->OnSetActive();
    });
}

int CPropertySheet::DoModal()
{
    int result = CDialog::DoModal();
    if (result == static_cast<int>(IDOK))
        if (CPropertyPage* p = GetPage(GetActiveIndex()))
            p->OnOK();
    return result;
}
