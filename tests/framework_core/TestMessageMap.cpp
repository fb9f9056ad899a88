// Dispatch through static message maps: search order, id ranges, argument forms
// of every signature kind, and the msgHasHandler query.
#include "CCmdTarget.h"
#include "CCmdUI.h"
#include "Geometry.h"
#include <QAction>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records which handler ran with which arguments.
struct Log {
    std::vector<std::string> calls;
    void add(std::string s) { calls.push_back(std::move(s)); }
};

class BaseTarget : public CCmdTarget {
public:
    Log log;
    void OnPaint() { log.add("base paint"); }
    void OnOK() { log.add("base ok"); }
    void OnBaseOnly() { log.add("base only"); }

    Q_DECLARE_MESSAGE_MAP(BaseTarget)
};

Q_BEGIN_ROOT_MESSAGE_MAP(BaseTarget)
Q_ON_PAINT(OnPaint)
Q_ON_CLICKED(IDOK, OnOK)
Q_ON_COMMAND(200, OnBaseOnly)
Q_END_MESSAGE_MAP()

class DerivedTarget : public BaseTarget {
public:
    int lastCx = -1, lastCy = -1, lastType = -1;
    int moveX = 0, moveY = 0;
    UINT mouseFlags = 0;
    CPoint mousePoint;
    UINT scrollCode = 0, scrollPos = 0;
    void* scrollCtl = nullptr;
    UINT timerId = 0;

private:
    // Handlers are private: the map still reaches them.
    void OnOKDerived() { log.add("derived ok"); }
    void OnControl(UINT id) { log.add("control " + std::to_string(id)); }
    void OnSingle() { log.add("single"); }
    void OnFirst() { log.add("first"); }
    void OnSecond() { log.add("second"); }
    LRESULT OnUser(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w) * 10 + l; }
    BOOL OnBool(LPARAM l) { return l == 7 ? 42 : 0; }
    void OnNotify(LPARAM l, LRESULT* result) { *result = l + 1; }
    void OnSize(UINT type, int cx, int cy)
    {
        lastType = static_cast<int>(type);
        lastCx = cx;
        lastCy = cy;
    }
    void OnMove(int x, int y)
    {
        moveX = x;
        moveY = y;
    }
    void OnDblClk(UINT flags, CPoint p)
    {
        mouseFlags = flags;
        mousePoint = p;
    }
    void OnScroll(UINT code, UINT pos, CScrollBar* bar)
    {
        scrollCode = code;
        scrollPos = pos;
        scrollCtl = bar;
    }
    void OnTimer(UINT id) { timerId = id; }
    void OnUpdate300(CCmdUI* ui)
    {
        log.add("update 300 '" + std::string(static_cast<const char*>(ui->GetText())) + "'");
        ui->Enable(FALSE);
        ui->SetCheck(1);
        ui->SetText("Bigger\tCtrl+B");
    }
    void OnUpdateRadio(CCmdUI* ui) { ui->SetRadio(TRUE); }

    Q_DECLARE_MESSAGE_MAP(DerivedTarget)
};

Q_BEGIN_MESSAGE_MAP(DerivedTarget, BaseTarget)
Q_ON_CLICKED(IDOK, OnOKDerived)
Q_ON_COMMAND(500, OnFirst)
Q_ON_COMMAND(500, OnSecond)
Q_ON_COMMAND(501, OnSingle)
Q_ON_NOTIFY_RANGE(scClicked, 1000, 65535, OnControl)
Q_ON_MESSAGE(msgUser, OnUser)
Q_ON_ENTRY(1034, 0, 0, 0, sigBool, OnBool)
Q_ON_ENTRY(1035, 0, 0, 0, sigNotify, OnNotify)
Q_ON_SIZE(OnSize)
Q_ON_MOVE(OnMove)
Q_ON_LBUTTONDBLCLK(OnDblClk)
Q_ON_VSCROLL(OnScroll)
Q_ON_TIMER(OnTimer)
Q_ON_UPDATE_COMMAND_UI(300, OnUpdate300)
Q_ON_UPDATE_COMMAND_UI(301, OnUpdateRadio)
qIgnoreEntry(1040),
    Q_END_MESSAGE_MAP()

        class NoMap : public CCmdTarget {
};

} // namespace

TEST(MessageMapSearch, DerivedEntriesWinOverBaseAndBaseIsStillReached)
{
    DerivedTarget t;
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scClicked, IDOK), 0);
    EXPECT_EQ(t.UpdateMap(0, 0, msgPaint), 0);
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scCommand, 200), 0);
    EXPECT_EQ(t.log.calls, (std::vector<std::string> { "derived ok", "base paint", "base only" }));

    // Starting the search at the base map skips the derived entries.
    t.log.calls.clear();
    EXPECT_EQ(t.TraverseMap(&BaseTarget::messageMap, 0, 0, msgCommand, scClicked, IDOK), 0);
    EXPECT_EQ(t.log.calls, (std::vector<std::string> { "base ok" }));
}

TEST(MessageMapSearch, FirstMatchingEntryWinsAndOnlyOneRuns)
{
    DerivedTarget t;
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scCommand, 500), 0);
    EXPECT_EQ(t.log.calls, (std::vector<std::string> { "first" }));
}

TEST(MessageMapSearch, CodeSubCodeAndIdMustAllMatch)
{
    DerivedTarget t;
    // IDOK bound under scClicked, not under scCommand.
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scCommand, IDOK), -1);
    // 999 and 65536 lie outside the range 1000..65535.
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scClicked, 999), -1);
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scClicked, 65536), -1);
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scClicked, 0xFFFFFFFFu), -1);
    EXPECT_EQ(t.UpdateMap(0, 0, msgDestroy), -1);
    EXPECT_TRUE(t.log.calls.empty());
}

TEST(MessageMapSearch, ClassWithoutMapAnswersMinusOne)
{
    NoMap n;
    EXPECT_EQ(n.UpdateMap(0, 0, msgPaint), -1);
    EXPECT_EQ(n.TraverseMap(nullptr, 0, 0, msgPaint), -1);
}

TEST(MessageMapSearch, HasHandlerMatchesAnyCodeWithSubCodeAndIdAndCallsNothing)
{
    DerivedTarget t;
    EXPECT_EQ(t.UpdateMap(0, 0, msgHasHandler, scCommand, 501), 0);
    EXPECT_EQ(t.UpdateMap(0, 0, msgHasHandler, scCommand, 200), 0); // in the base map
    EXPECT_EQ(t.UpdateMap(0, 0, msgHasHandler, scClicked, 4000), 0); // inside a range
    EXPECT_EQ(t.UpdateMap(0, 0, msgHasHandler, scCommand, 502), -1);
    EXPECT_EQ(t.UpdateMap(0, 0, msgHasHandler, scSelChange, 501), -1);
    // msgPaint's entry has sub-code 0 and id 0: the query for id 0 finds it.
    EXPECT_EQ(t.UpdateMap(0, 0, msgHasHandler, scCommand, 0), 0);
    EXPECT_TRUE(t.log.calls.empty());
}

TEST(MessageMapArguments, RangeEntryReceivesIdSingleEntryReceivesNothing)
{
    DerivedTarget t;
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scClicked, 1000), 0);
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scClicked, 65535), 0);
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scCommand, 501), 0);
    EXPECT_EQ(
        t.log.calls, (std::vector<std::string> { "control 1000", "control 65535", "single" }));
}

TEST(MessageMapArguments, MessageBoolAndNotifyResults)
{
    DerivedTarget t;
    EXPECT_EQ(t.UpdateMap(4, 3, msgUser), 43);
    EXPECT_EQ(t.UpdateMap(0, 7, 1034), 1); // handler returned 42: dispatch gives 1
    EXPECT_EQ(t.UpdateMap(0, 8, 1034), 0);
    EXPECT_EQ(t.UpdateMap(0, 99, 1035), 100);
    EXPECT_EQ(t.UpdateMap(0, 0, 1040), 0); // ignored entry: matched, nothing called
    EXPECT_EQ(t.UpdateMap(0, 0, 1041), -1);
}

TEST(MessageMapArguments, SizeIsTypeZeroWidthHeight)
{
    DerivedTarget t;
    EXPECT_EQ(t.UpdateMap(0, 300 | (200 << 16), msgSize), 0);
    EXPECT_EQ(t.lastType, 0);
    EXPECT_EQ(t.lastCx, 300);
    EXPECT_EQ(t.lastCy, 200);
}

TEST(MessageMapArguments, MoveReadsThePointLParamPointsTo)
{
    DerivedTarget t;
    MsgPoint p { -12, 345 };
    EXPECT_EQ(t.UpdateMap(0, reinterpret_cast<LPARAM>(&p), msgMove), 0);
    EXPECT_EQ(t.moveX, -12);
    EXPECT_EQ(t.moveY, 345);
    // A null position calls nothing rather than crash.
    t.moveX = 1;
    EXPECT_EQ(t.UpdateMap(0, 0, msgMove), 0);
    EXPECT_EQ(t.moveX, 1);
}

TEST(MessageMapArguments, MouseCoordinatesKeepTheirSign)
{
    DerivedTarget t;
    const int x = -5, y = -7;
    // Packed as a window packs it: (x & 0xFFFF) | (y << 16), in a 64-bit lParam.
    const LPARAM l = (x & 0xFFFF) | (static_cast<LPARAM>(y) * 65536);
    EXPECT_EQ(t.UpdateMap(1, l, msgLButtonDblClk), 0);
    EXPECT_EQ(t.mouseFlags, 1u);
    EXPECT_EQ(t.mousePoint.x, -5);
    EXPECT_EQ(t.mousePoint.y, -7);
    // The same packing done in 32 unsigned bits gives the same point.
    const LPARAM l32
        = static_cast<std::uint32_t>((x & 0xFFFF) | (static_cast<std::uint32_t>(y) << 16));
    EXPECT_EQ(t.UpdateMap(3, l32, msgLButtonDblClk), 0);
    EXPECT_EQ(t.mousePoint.x, -5);
    EXPECT_EQ(t.mousePoint.y, -7);
    EXPECT_EQ(t.UpdateMap(1, 120 | (30000 << 16), msgLButtonDblClk), 0);
    EXPECT_EQ(t.mousePoint.x, 120);
    EXPECT_EQ(t.mousePoint.y, 30000);
}

TEST(MessageMapArguments, ScrollSplitsWParamAndPassesTheControl)
{
    DerivedTarget t;
    int control = 0;
    EXPECT_EQ(t.UpdateMap((37u << 16) | 8u, reinterpret_cast<LPARAM>(&control), msgVScroll), 0);
    EXPECT_EQ(t.scrollCode, 8u);
    EXPECT_EQ(t.scrollPos, 37u);
    EXPECT_EQ(t.scrollCtl, &control);
    EXPECT_EQ(t.UpdateMap(1, 0, msgHScroll), -1); // only the vertical one is bound
}

TEST(MessageMapArguments, TimerReceivesWParam)
{
    DerivedTarget t;
    EXPECT_EQ(t.UpdateMap(17, 0, msgTimer), 0);
    EXPECT_EQ(t.timerId, 17u);
}

TEST(CommandUpdate, HandlerStateReachesTheActionAndTextIsCutAtTab)
{
    DerivedTarget t;
    QAction a("Old text");
    a.setEnabled(true);
    EXPECT_EQ(t.UpdateMap(0, reinterpret_cast<LPARAM>(&a), msgCommand, scUpdate, 300), 0);
    EXPECT_EQ(t.log.calls, (std::vector<std::string> { "update 300 'Old text'" }));
    EXPECT_EQ(a.text(), QString("Bigger"));
    EXPECT_FALSE(a.isEnabled());
    EXPECT_TRUE(a.isCheckable());
    EXPECT_TRUE(a.isChecked());

    QAction r("Radio");
    EXPECT_EQ(t.UpdateMap(0, reinterpret_cast<LPARAM>(&r), msgCommand, scUpdate, 301), 0);
    EXPECT_TRUE(r.isChecked());
    EXPECT_TRUE(r.isEnabled());
    EXPECT_EQ(r.text(), QString("Radio"));
}

TEST(CommandUpdate, UpdateWithoutActionStillRunsTheHandler)
{
    DerivedTarget t;
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scUpdate, 300), 0);
    EXPECT_EQ(t.log.calls, (std::vector<std::string> { "update 300 ''" }));
}

TEST(CommandUpdate, CmdUIStartsEnabledUncheckedAndStoresNonZeroAsTrue)
{
    CCmdUI ui("Item\tF1\tmore");
    EXPECT_TRUE(ui.IsEnabled());
    EXPECT_FALSE(ui.IsChecked());
    EXPECT_FALSE(ui.IsRadio());
    EXPECT_EQ(ui.MenuText().toQString(), QString("Item"));
    ui.SetCheck(2);
    EXPECT_TRUE(ui.IsChecked());
    ui.Enable(0);
    EXPECT_FALSE(ui.IsEnabled());
    ui.SetText("NoTab");
    EXPECT_EQ(ui.MenuText().toQString(), QString("NoTab"));
}
