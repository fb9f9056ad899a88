// Dialogs: private creation order, modal results and the ways a modal run ends,
// the control list, the "Operations" menu, persistent rectangles.
#include "CDialog.h"
#include "CMenu.h"
#include "NQButton.h"
#include "NQPopupMenu.h"
#include "NVDial.h"
#include "ProfileStore.h"
#include "ScopedSettings.h"
#include "TestEnv.h"
#include "TestWndSupport.h"
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>
#include <string>
#include <vector>

namespace {

class ProbeDialog : public CDialog {
    Q_DECLARE_MESSAGE_MAP(ProbeDialog)
public:
    std::vector<std::string> log;
    std::unique_ptr<NQButton> ok, cancel;

    void QCreate() override
    {
        log.push_back("QCreate");
        auto* layout = new QVBoxLayout(dialog());
        ok = std::make_unique<NQButton>("OK", this, IDOK, layout);
        cancel = std::make_unique<NQButton>("Cancel", this, IDCANCEL, layout);
    }
    BOOL OnInitDialog() override
    {
        log.push_back("Init");
        return TRUE;
    }
    void DoDataExchange(BOOL save) override { log.push_back(save ? "Save" : "Load"); }
    void OnOK() override
    {
        log.push_back("OnOK");
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        log.push_back("OnCancel");
        CDialog::OnCancel();
    }
    void OnDestroyMsg() { log.push_back("Destroy"); }
};

Q_BEGIN_MESSAGE_MAP(ProbeDialog, CDialog)
Q_ON_DESTROY(OnDestroyMsg)
Q_END_MESSAGE_MAP()

} // namespace

TEST(DialogModal, EveryWayOfEndingARunGivesItsResultAndOneDestroy)
{
    const struct {
        std::function<void(ProbeDialog&, QWidget*)> end;
        int result;
        std::vector<std::string> log;
    } cases[] = {
        { [](ProbeDialog& d, QWidget*) { clickWidget(d.ok->GetWidget()); }, IDOK,
            { "QCreate", "Init", "Load", "OnOK", "Save", "Destroy" } },
        { [](ProbeDialog& d, QWidget*) { clickWidget(d.cancel->GetWidget()); }, int(IDCANCEL),
            { "QCreate", "Init", "Load", "OnCancel", "Destroy" } },
        // Escape and closing the window cancel without OnCancel.
        { [](ProbeDialog&, QWidget* w) { keyClick(w, Qt::Key_Escape); }, int(IDCANCEL),
            { "QCreate", "Init", "Load", "Destroy" } },
        { [](ProbeDialog&, QWidget* w) { w->close(); }, int(IDCANCEL),
            { "QCreate", "Init", "Load", "Destroy" } },
        { [](ProbeDialog& d, QWidget*) { d.EndDialog(12345); }, 12345,
            { "QCreate", "Init", "Load", "Destroy" } },
        { [](ProbeDialog& d, QWidget*) { d.EndDialog(0); }, int(IDCANCEL),
            { "QCreate", "Init", "Load", "Destroy" } },
    };
    ProbeDialog d; // each run builds the dialog again
    for (const auto& c : cases) {
        d.log.clear();
        whenModal([&](QWidget* w) { c.end(d, w); });
        EXPECT_EQ(d.DoModal(), c.result);
        EXPECT_EQ(d.log, c.log) << c.result;
        EXPECT_FALSE(d.IsWindowVisible());
    }
}

TEST(DialogControls, ListFindsControlsByIdForgetsDestroyedOnesAndOutlivesTheDialog)
{
    auto d = std::make_unique<ProbeDialog>();
    ASSERT_TRUE(d->Create(0, nullptr));
    EXPECT_EQ(d->GetDlgItem(IDOK), d->ok.get());
    EXPECT_EQ(d->GetDlgItem(4242), nullptr);
    d->cancel.reset();
    EXPECT_EQ(d->GetDlgItem(IDCANCEL), nullptr);
    NQButton zero("Zero", d.get(), 0, nullptr); // id 0: created, not listed
    EXPECT_EQ(d->controls().GetCount(), 1);
    NQButton extra("Extra", d.get(), 1600, nullptr);
    QPointer<QWidget> w = extra.GetWidget();
    d.reset();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(extra.GetParent(), nullptr);
    extra.SetWindowText("still safe");
}

TEST(DialogMenu, SystemMenuIsOneOperationsMenuInTheDialogsMenuBar)
{
    ProbeDialog d;
    ASSERT_TRUE(d.Create(0, nullptr));
    CMenu* m = d.GetSystemMenu(FALSE);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(d.GetSystemMenu(FALSE), m);
    EXPECT_EQ(m->popup()->menu()->title(), QString("Operations"));
    auto* bar = d.GetWidget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions()[0]->menu(), m->popup()->menu());
}

TEST(DialogRect, NVDialRestoresAndRecordsTheScreenRectangle)
{
    ScopedSettings s;
    WriteProfileString("Nerilune", "Sizer", "40,60,840,660");
    ProbeDialog d;
    ASSERT_TRUE(d.Create(0, nullptr));
    ASSERT_TRUE(waitExposed(d.GetWidget()));
    {
        NVDial sizer;
        sizer.Create(&d, "Sizer");
        CRect r;
        d.GetWindowRect(&r);
        EXPECT_EQ(r, CRect(40, 60, 840, 660));
        EXPECT_EQ(sizer.rect, CRect(40, 60, 840, 660));
        d.MoveWindow(CRect(100, 120, 500, 420));
        sizer.Change(nullptr);
        EXPECT_EQ(sizer.rect, CRect(100, 120, 500, 420));
    }
    EXPECT_EQ(GetProfileString("Nerilune", "Sizer", ""), CString("100,120,500,420"));

    // A saved rectangle narrower than 40 pixels is ignored.
    WriteProfileString("Nerilune", "Sizer", "10,10,45,300");
    NVDial small;
    small.Create(&d, "Sizer");
    CRect now;
    d.GetWindowRect(&now);
    EXPECT_EQ(now, CRect(100, 120, 500, 420));
    EXPECT_EQ(small.rect, now);
}
