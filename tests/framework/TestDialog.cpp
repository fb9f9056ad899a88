// Dialogs: private creation order, modal results and the ways a modal run ends,
// the control list, the "Operations" menu, persistent rectangles.
#include "CDialog.h"
#include "CMenu.h"
#include "NQButton.h"
#include "NQPopupMenu.h"
#include "NVDial.h"
#include "ProfileStore.h"
#include "TestEnv.h"
#include "TestWndSupport.h"
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>
#include <string>
#include <vector>

namespace {

class ProbeDialog : public CDialog {
    Q_DECLARE_MESSAGE_MAP(ProbeDialog)
public:
    std::vector<std::string> log;
    int okCount = 0, cancelCount = 0, destroyCount = 0;
    std::unique_ptr<NQButton> ok, cancel, custom;

    void QCreate() override
    {
        log.push_back("QCreate");
        auto* layout = new QVBoxLayout(dialog());
        ok = std::make_unique<NQButton>("OK", this, IDOK, layout);
        cancel = std::make_unique<NQButton>("Cancel", this, IDCANCEL, layout);
        custom = std::make_unique<NQButton>("Custom", this, 1500, layout, 80, 120);
    }
    BOOL OnInitDialog() override
    {
        log.push_back("Init");
        return TRUE;
    }
    void DoDataExchange(BOOL save) override { log.push_back(save ? "Save" : "Load"); }
    void OnOK() override
    {
        ++okCount;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancelCount;
        CDialog::OnCancel();
    }
    void OnDestroyMsg() { ++destroyCount; }
    void OnCustom() { EndDialog(77); }
};

Q_BEGIN_MESSAGE_MAP(ProbeDialog, CDialog)
Q_ON_DESTROY(OnDestroyMsg)
Q_ON_CLICKED(1500, OnCustom)
Q_END_MESSAGE_MAP()

void clickButton(QWidget* b)
{
    QPoint c = b->rect().center();
    press(b, Qt::LeftButton, Qt::NoModifier, c);
    release(b, Qt::LeftButton, Qt::NoModifier, c);
}

} // namespace

TEST(DialogModal, EndDialogResultsAndCreationOrder)
{
    ProbeDialog d;
    whenModal([&](QWidget*) { d.EndDialog(IDOK); });
    EXPECT_EQ(d.DoModal(), 1024);
    EXPECT_EQ(d.log, (std::vector<std::string> { "QCreate", "Init", "Load" }));
    EXPECT_EQ(d.destroyCount, 1);
    EXPECT_FALSE(d.IsWindowVisible());

    // A second run builds the dialog again; other values pass through unchanged.
    whenModal([&](QWidget*) { d.EndDialog(12345); });
    EXPECT_EQ(d.DoModal(), 12345);
    whenModal([&](QWidget*) { d.EndDialog(0); });
    EXPECT_EQ(d.DoModal(), int(IDCANCEL));
    EXPECT_EQ(d.destroyCount, 3);
}

TEST(DialogModal, ButtonsEndTheRunThroughTheMapEscapeAndCloseWithoutOnCancel)
{
    ProbeDialog d;
    whenModal([&](QWidget*) { clickButton(d.ok->GetWidget()); });
    EXPECT_EQ(d.DoModal(), int(IDOK));
    EXPECT_EQ(d.okCount, 1);
    EXPECT_EQ(d.log.back(), "Save");
    whenModal([&](QWidget*) { clickButton(d.cancel->GetWidget()); });
    EXPECT_EQ(d.DoModal(), int(IDCANCEL));
    EXPECT_EQ(d.cancelCount, 1);
    whenModal([&](QWidget*) { clickButton(d.custom->GetWidget()); });
    EXPECT_EQ(d.DoModal(), 77);
    d.destroyCount = 0;
    whenModal([](QWidget* w) { keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(d.DoModal(), 0x400000);
    whenModal([](QWidget* w) { w->close(); });
    EXPECT_EQ(d.DoModal(), 0x400000);
    EXPECT_EQ(d.cancelCount, 1);
    EXPECT_EQ(d.destroyCount, 2); // once per run, however it ended
}

TEST(DialogControls, ListFindsControlsByIdForgetsDestroyedOnesAndOutlivesTheDialog)
{
    auto d = std::make_unique<ProbeDialog>();
    ASSERT_TRUE(d->Create(0, nullptr));
    EXPECT_EQ(d->GetDlgItem(IDOK), d->ok.get());
    EXPECT_EQ(d->GetDlgItem(4242), nullptr);
    d->custom.reset();
    EXPECT_EQ(d->GetDlgItem(1500), nullptr);
    NQButton zero("Zero", d.get(), 0, nullptr); // id 0: created, not listed
    EXPECT_EQ(d->controls().GetCount(), 2);
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

namespace {
struct StoreScope {
    QString path;
    std::unique_ptr<QSettings> store;
    StoreScope()
    {
        path = QString::fromStdString(TestEnv::freshDir("nvdial")) + "/t.ini";
        store = std::make_unique<QSettings>(path, QSettings::IniFormat);
        SetProfileStore(store.get());
    }
    ~StoreScope() { SetProfileStore(nullptr); }
};
} // namespace

TEST(DialogRect, NVDialRestoresAndRecordsTheScreenRectangle)
{
    StoreScope s;
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
