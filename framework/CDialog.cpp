#include "CDialog.h"
#include "CMenu.h"
#include "MessageBoxQt.h"
#include "NQPopupMenu.h"
#include "QQDialog.h"
#include <QApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QThread>

namespace {
// The dialog's event filter: passes every event.
class CDialogEventFilter : public QObject {
public:
    bool eventFilter(QObject*, QEvent*) override { return false; }
};
} // namespace

Q_BEGIN_ROOT_MESSAGE_MAP(CDialog)
Q_ON_CLICKED(IDOK, OnOK)
Q_ON_CLICKED(IDCANCEL, OnCancel)
Q_END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd*)
    : m_filter(std::make_unique<CDialogEventFilter>())
    , m_templateId(templateId)
{
}

CDialog::~CDialog()
{
    // Owned controls go first, while the control list they leave still exists.
    m_owned.clear();
    m_sysMenu.reset();
    m_controls.RemoveAll();
}

QDialog* CDialog::dialog() const
{
    return qobject_cast<QDialog*>(GetWidget());
}

BOOL CDialog::Attach(CWnd* parent)
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || QThread::currentThread() != app->thread())
        return FALSE;
    auto* d = new QQDialog(this, parent ? parent->GetWidget() : nullptr);
    setWidget(d, d);
    d->installEventFilter(m_filter.get());
    if (m_sysMenu)
        attachMenuBar();
    return TRUE;
}

void CDialog::privateCreate()
{
    m_destroyRaised = false;
    QCreate();
    OnInitDialog();
    UpdateData(FALSE);
    if (QWidget* w = GetWidget())
        w->setMouseTracking(true);
}

int CDialog::DoModal()
{
    int result = static_cast<int>(IDCANCEL);
    if (!Attach(nullptr))
        return result;
    // A dialog opened from a window belongs to it: it opens centred on it and stays
    // above it. The first dialog of the run, the main frame, has none.
    if (QDialog* d = dialog(); d && !d->parentWidget())
        if (QWidget* owner = messageBoxOwner(nullptr); owner && owner != d)
            d->setParent(owner, d->windowFlags());
    privateCreate();
    OnShowWindow(TRUE, 0);
    QPointer<QDialog> d = dialog();
    if (!d)
        return result;
    int r = d->exec();
    if (!d)
        return result; // the dialog was destroyed inside its own loop
    result = r == QDialog::Rejected ? static_cast<int>(IDCANCEL)
        : r == QDialog::Accepted    ? static_cast<int>(IDOK)
                                    : r;
    // Nothing of the dialog stays drawn on the windows it covered.
    CRect wr;
    GetWindowRect(&wr);
    for (QPoint p : { QPoint(wr.left, wr.top), QPoint(wr.right - 1, wr.bottom - 1) }) {
        if (QWidget* top = QApplication::topLevelAt(p)) {
            if (CWnd* w = CWnd::FromHandle(top))
                w->Invalidate();
            else
                top->update();
        }
    }
    // A hidden toolkit window may be closed without a close event: the message is
    // raised here, once, in either case.
    raiseDestroy();
    d->close();
    return result;
}

BOOL CDialog::Create(UINT, CWnd* parent)
{
    BOOL ok = Attach(parent);
    if (!ok)
        return ok;
    privateCreate();
    ShowWindow(1);
    return ok;
}

void CDialog::EndDialog(int result)
{
    if (QDialog* d = dialog())
        d->done(result);
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(static_cast<int>(IDOK));
}

void CDialog::OnCancel()
{
    EndDialog(static_cast<int>(IDCANCEL));
}

void CDialog::QCreate() { }
void CDialog::DoDataExchange(BOOL) { }
BOOL CDialog::OnInitDialog()
{
    return TRUE;
}
void CDialog::OnSetFont(CFont*) { }
void CDialog::OnShowWindow(BOOL, UINT) { }
void CDialog::OnClose() { }
void CDialog::OnTimer(UINT) { }

BOOL CDialog::UpdateData(BOOL save)
{
    DoDataExchange(save);
    return TRUE;
}

BOOL CDialog::ShowWindow(int cmd)
{
    OnShowWindow(cmd == 1, 0);
    return CWnd::ShowWindow(cmd);
}

void CDialog::AddDialogItem(CWnd* control, UINT id)
{
    if (!control)
        return;
    if (!control->GetWidget())
        control->Attach(this);
    control->SetParent(this);
    if (id != 0xFFFFFFFFu)
        control->SetDlgCtrlID(id);
    if (id != 0 && !m_controls.Find(control))
        m_controls.AddTail(control);
}

void CDialog::RemoveDialogItem(CWnd* control)
{
    if (POSITION p = m_controls.Find(control))
        m_controls.RemoveAt(p);
}

CWnd* CDialog::GetDlgItem(UINT id) const
{
    for (POSITION p = m_controls.GetHeadPosition(); p;) {
        auto* w = dynamic_cast<CWnd*>(m_controls.GetNext(p));
        if (w && w->GetDlgCtrlID() == id)
            return w;
    }
    return nullptr;
}

void CDialog::closeEvent(QCloseEvent*)
{
    raiseDestroy();
}

void CDialog::raiseDestroy()
{
    // Raised once per run, however the window is closed.
    if (m_destroyRaised)
        return;
    m_destroyRaised = true;
    UpdateMap(0, 0, msgDestroy);
}

void CDialog::showEvent(QShowEvent*)
{
    if (m_sysMenu)
        attachMenuBar();
}

CMenu* CDialog::GetSystemMenu(BOOL)
{
    if (!m_sysMenu) {
        m_sysMenu = std::make_unique<CMenu>();
        m_sysMenu->CreatePopupMenu("Operations");
        m_sysMenu->SetOwner(this);
        attachMenuBar();
    }
    return m_sysMenu.get();
}

// There is no application-wide menu bar on this platform: the bar sits at the top
// of the dialog's own window, in its layout once it has one.
void CDialog::attachMenuBar()
{
    QDialog* d = dialog();
    if (!d || !m_sysMenu || !m_sysMenu->popup())
        return;
    if (!m_menuBar || m_menuBar->parentWidget() != d) {
        m_menuBar = new QMenuBar(d);
        m_menuBar->setNativeMenuBar(false);
        m_menuBar->addMenu(m_sysMenu->popup()->menu());
    }
    if (QLayout* l = d->layout()) {
        if (l->menuBar() != m_menuBar)
            l->setMenuBar(m_menuBar);
    } else {
        m_menuBar->setGeometry(0, 0, d->width(), m_menuBar->sizeHint().height());
    }
    m_menuBar->show();
}

void CDialog::menu_command(QAction* action, int id)
{
    UpdateMap(0, reinterpret_cast<LPARAM>(action), msgCommand, scCommand, static_cast<UINT>(id));
}

void CDialog::updateMenu(QAction* action, int id)
{
    auto uid = static_cast<UINT>(id);
    if (UpdateMap(0, reinterpret_cast<LPARAM>(action), msgCommand, scUpdate, uid) >= 0)
        return;
    bool handled = TraverseMap(nullptr, 0, 0, msgHasHandler, scCommand, uid) >= 0;
    if (action)
        action->setEnabled(handled);
}
