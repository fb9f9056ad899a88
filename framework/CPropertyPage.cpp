#include "CPropertyPage.h"

CPropertyPage::CPropertyPage(UINT templateId, const char* caption)
    : CDialog(templateId, nullptr)
    , m_caption(caption)
{
}

CPropertyPage::~CPropertyPage() = default;

BOOL CPropertyPage::OnSetActive()
{
    return TRUE;
}

BOOL CPropertyPage::CreatePage(CWnd* sheet)
{
    if (!Attach(sheet))
        return FALSE;
    if (!m_caption.IsEmpty())
        SetWindowText(m_caption);
    privateCreate();
    return TRUE;
}
