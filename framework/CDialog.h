#pragma once
#include "CObList.h"
#include "CWnd.h"
#include <QDialog>
#include <QPointer>
#include <memory>
#include <vector>

class QMenuBar;
class QObject;
class CFont;

// A dialog: owns a toolkit dialog and a (non-owning) list of its controls. Built
// lazily by DoModal or Create: QCreate builds the widgets, then OnInitDialog runs.
class CDialog : public CWnd {
    Q_DECLARE_MESSAGE_MAP(CDialog)
public:
    // The parent is not kept: a dialog is the top of its controls' parent chain.
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    BOOL Attach(CWnd* parent) override;
    // The "Operations" menu, made on first use and shown in a menu bar at the top
    // of the dialog's window.
    CMenu* GetSystemMenu(BOOL revert) override;
    void AddDialogItem(CWnd* control, UINT id) override;
    void RemoveDialogItem(CWnd* control) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void menu_command(QAction* action, int id) override;
    void updateMenu(QAction* action, int id) override;
    BOOL ShowWindow(int cmd) override;

    // Runs the dialog modally; returns IDOK, IDCANCEL or the value given to EndDialog.
    virtual int DoModal();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void QCreate();
    virtual void DoDataExchange(BOOL save);
    virtual BOOL OnInitDialog();
    virtual void OnSetFont(CFont* font);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnClose();
    virtual void OnTimer(UINT id);

    // Modeless creation; shows the dialog when the visible-on-create flag is set.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);
    BOOL UpdateData(BOOL save = TRUE);
    // First control in the list with that id, or null.
    CWnd* GetDlgItem(UINT id) const;
    const CObList& controls() const { return m_controls; }
    QDialog* dialog() const;
    // Keeps a control the dialog should own (controls built with new in QCreate).
    template <class T> T* Own(std::unique_ptr<T> control)
    {
        T* raw = control.get();
        m_owned.push_back(std::move(control));
        return raw;
    }

protected:
    // QCreate, OnInitDialog, UpdateData(FALSE), mouse tracking on.
    void privateCreate();

private:
    void attachMenuBar();
    void raiseDestroy();

    CObList m_controls;
    std::unique_ptr<QObject> m_filter;
    UINT m_templateId;
    bool m_destroyRaised = false;
    std::unique_ptr<CMenu> m_sysMenu;
    QPointer<QMenuBar> m_menuBar;
    std::vector<std::unique_ptr<CWnd>> m_owned;
};
