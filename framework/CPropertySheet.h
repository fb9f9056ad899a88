#pragma once
#include "CDialog.h"
#include <vector>

class CPropertyPage;
class QTabWidget;

// A dialog holding a tab widget of pages above an OK/Cancel button box.
class CPropertySheet : public CDialog {
public:
    explicit CPropertySheet(
        const char* caption = nullptr, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page); // not owned
    // The dialog result; when it is IDOK the current page's OnOK runs first.
    int DoModal() override;
    void QCreate() override;

    BOOL SetActivePage(int index);
    CPropertyPage* GetPage(int index) const;
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    int GetActiveIndex() const;
    QTabWidget* tabs() const;

private:
    CString m_caption;
    std::vector<CPropertyPage*> m_pages;
    int m_active;
};
