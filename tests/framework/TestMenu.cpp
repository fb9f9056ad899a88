// Menus: command routing to the owner's map, items without a handler disabled
// when the popup opens, the popup menu's modal run.
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
};

Q_BEGIN_MESSAGE_MAP(MenuDialog, CDialog)
Q_ON_COMMAND_RANGE(103, 115, OnRange)
Q_END_MESSAGE_MAP()

QAction* itemWithId(CMenu& m, int id)
{
    return m.FindItem(static_cast<UINT>(id), 0);
}

} // namespace

TEST(Menu, TrackPopupMenuRunsModallyAndDispatchesTheChoice)
{
    MenuDialog d;
    ASSERT_TRUE(d.Create(0, nullptr));
    ASSERT_TRUE(waitExposed(d.GetWidget()));
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(mfString, 107, "Q7300FW");
    popup.AppendMenu(mfString, 300, "Nothing");

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
    EXPECT_FALSE(itemWithId(popup, 107)->isCheckable()); // nothing marks it: no box for a mark
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
