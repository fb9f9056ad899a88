// Menus: check marks, command routing to the owner's map, command updating just
// before a menu opens, the popup menu's modal run.
#include "CCmdUI.h"
#include "CDialog.h"
#include "CMenu.h"
#include "NAction.h"
#include "NQPopupMenu.h"
#include "TestWndSupport.h"
#include <QMenu>
#include <vector>

namespace {

class MenuDialog : public CDialog {
    Q_DECLARE_MESSAGE_MAP(MenuDialog)
public:
    std::vector<UINT> commands;

    void OnRange(UINT id) { commands.push_back(id); }
    void OnUpdateDisabled(CCmdUI* ui)
    {
        ui->Enable(FALSE);
        ui->SetCheck(1);
        ui->SetText("Renamed\tCtrl+R");
    }
};

Q_BEGIN_MESSAGE_MAP(MenuDialog, CDialog)
Q_ON_COMMAND_RANGE(103, 115, OnRange)
Q_ON_UPDATE_COMMAND_UI(111, OnUpdateDisabled)
Q_END_MESSAGE_MAP()

QAction* itemWithId(CMenu& m, int id)
{
    return m.FindItem(static_cast<UINT>(id), 0);
}

} // namespace

TEST(Menu, ItemsAreUpdatedBeforeTheMenuOpens)
{
    MenuDialog d;
    ASSERT_TRUE(d.Create(0, nullptr));
    CMenu* sys = d.GetSystemMenu(FALSE);
    sys->AppendMenu(mfString, 105, "Q7300");
    sys->AppendMenu(mfString, 111, "Bigger");
    sys->AppendMenu(mfString, 300, "No handler");
    itemWithId(*sys, 300)->setEnabled(true);
    sys->popup()->aboutToShow();

    EXPECT_TRUE(itemWithId(*sys, 105)->isEnabled()); // a command handler exists
    EXPECT_FALSE(itemWithId(*sys, 105)->isCheckable()); // nothing marks it: no box for a mark
    EXPECT_FALSE(itemWithId(*sys, 300)->isEnabled()); // none does
    QAction* bigger = itemWithId(*sys, 111);
    EXPECT_FALSE(bigger->isEnabled()); // the update handler disabled it
    EXPECT_TRUE(bigger->isChecked());
    EXPECT_EQ(bigger->text(), QString("Renamed"));
}

TEST(Menu, TrackPopupMenuRunsModallyAndDispatchesTheChoice)
{
    MenuDialog d;
    ASSERT_TRUE(d.Create(0, nullptr));
    ASSERT_TRUE(waitExposed(d.GetWidget()));
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu("&Edit"));
    EXPECT_EQ(popup.popup()->menu()->title(), QString("Edit"));
    popup.AppendMenu(mfString, 107, "Q7300FW");
    popup.AppendMenu(mfString, 300, "Nothing");
    CMenu sub;
    sub.CreatePopupMenu();
    sub.AppendMenu(mfString, 112, "Smaller");
    popup.AppendMenu(mfPopup, reinterpret_cast<std::uintptr_t>(&sub), "More");

    bool disabledSeen = true;
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [&, timer] {
        auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!m)
            return;
        timer->stop();
        timer->deleteLater();
        disabledSeen = !itemWithId(popup, 300)->isEnabled();
        itemWithId(popup, 107)->trigger();
        m->close();
    });
    timer->start(10);
    EXPECT_EQ(popup.TrackPopupMenu(0, 0, 0, &d), 0);
    EXPECT_EQ(d.commands, std::vector<UINT> { 107 });
    EXPECT_TRUE(disabledSeen);

    // The submenu's items go to the same owner.
    sub.FindItem(112, 0)->trigger();
    EXPECT_EQ(d.commands.back(), 112u);
}

TEST(Menu, ItemsOfADestroyedOwnerGoNowhere)
{
    CMenu m;
    m.CreatePopupMenu();
    m.AppendMenu(mfString, 105, "Q7300");
    {
        MenuDialog d;
        m.SetOwner(&d);
        itemWithId(m, 105)->trigger();
        EXPECT_EQ(d.commands.size(), 1u);
    }
    EXPECT_EQ(m.popup()->owner(), nullptr);
    itemWithId(m, 105)->trigger(); // must not reach the destroyed dialog
}
