// Dispatch through static message maps: search order, id ranges, the argument
// forms of the signature kinds, command updating and the msgHasHandler query.
#include "CCmdTarget.h"
#include "CCmdUI.h"
#include "Geometry.h"
#include <QAction>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class BaseTarget : public CCmdTarget {
public:
    std::vector<std::string> log;
    void OnPaint() { log.push_back("base paint"); }
    virtual void OnOK() { log.push_back("base ok"); }
    void OnBaseOnly() { log.push_back("base only"); }
    Q_DECLARE_MESSAGE_MAP(BaseTarget)
};

Q_BEGIN_ROOT_MESSAGE_MAP(BaseTarget)
Q_ON_PAINT(OnPaint)
Q_ON_CLICKED(IDOK, OnOK)
Q_ON_COMMAND(200, OnBaseOnly)
Q_END_MESSAGE_MAP()

class Other {
public:
    virtual ~Other() = default;
    int padding[7] = {};
};

// The command target is the second base, so its address differs from the object's.
class DerivedTarget : public Other, public BaseTarget {
public:
    std::string last;

private:
    void OnOK() override { log.push_back("derived ok"); }
    void OnControl(UINT id) { log.push_back("control " + std::to_string(id)); }
    void OnFirst() { log.push_back("first"); }
    void OnSecond() { log.push_back("second"); }
    LRESULT OnUser(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w) * 10 + l; }
    void OnSize(UINT type, int cx, int cy) { last = fmt("size", type, cx, cy); }
    void OnMove(int x, int y) { last = fmt("move", 0, x, y); }
    void OnDblClk(UINT flags, CPoint p) { last = fmt("dbl", flags, p.x, p.y); }
    void OnScroll(UINT code, UINT pos, CScrollBar* bar)
    {
        last = fmt("scroll", code, static_cast<int>(pos), bar != nullptr);
    }
    void OnTimer(UINT id) { last = fmt("timer", id, 0, 0); }
    void OnUpdate300(CCmdUI* ui)
    {
        ui->Enable(FALSE);
        ui->SetCheck(1);
        ui->SetText("Bigger\tCtrl+B");
    }
    static std::string fmt(const char* what, UINT a, int b, int c)
    {
        return std::string(what) + " " + std::to_string(a) + " " + std::to_string(b) + " "
            + std::to_string(c);
    }

    Q_DECLARE_MESSAGE_MAP(DerivedTarget)
};

Q_BEGIN_MESSAGE_MAP(DerivedTarget, BaseTarget)
Q_ON_CLICKED(IDOK, OnOK)
Q_ON_COMMAND(500, OnFirst)
Q_ON_COMMAND(500, OnSecond)
Q_ON_NOTIFY_RANGE(scClicked, 1000, 65535, OnControl)
Q_ON_MESSAGE(msgUser, OnUser)
Q_ON_SIZE(OnSize)
Q_ON_MOVE(OnMove)
Q_ON_LBUTTONDBLCLK(OnDblClk)
Q_ON_VSCROLL(OnScroll)
Q_ON_TIMER(OnTimer)
Q_ON_UPDATE_COMMAND_UI(300, OnUpdate300)
Q_END_MESSAGE_MAP()

} // namespace

TEST(MessageMap, DerivedEntriesFirstThenBaseFirstMatchOnlyAndAllKeysMustMatch)
{
    DerivedTarget t;
    CCmdTarget* target = &t;
    EXPECT_EQ(target->UpdateMap(0, 0, msgCommand, scClicked, IDOK), 0);
    EXPECT_EQ(target->UpdateMap(0, 0, msgPaint), 0);
    EXPECT_EQ(target->UpdateMap(0, 0, msgCommand, scCommand, 200), 0);
    EXPECT_EQ(target->UpdateMap(0, 0, msgCommand, scCommand, 500), 0);
    EXPECT_EQ(target->UpdateMap(0, 0, msgCommand, scClicked, 1000), 0);
    EXPECT_EQ(target->UpdateMap(0, 0, msgCommand, scClicked, 65535), 0);
    EXPECT_EQ(t.log,
        (std::vector<std::string> {
            "derived ok", "base paint", "base only", "first", "control 1000", "control 65535" }));
    t.log.clear();
    // Wrong sub-code, ids outside the range, codes without an entry.
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scCommand, IDOK), -1);
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scClicked, 999), -1);
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scClicked, 65536), -1);
    EXPECT_EQ(t.UpdateMap(0, 0, msgDestroy), -1);
    EXPECT_EQ(t.UpdateMap(0, 0, msgHScroll), -1);
    EXPECT_TRUE(t.log.empty());
    // A search started at the base map skips the derived entries.
    EXPECT_EQ(t.TraverseMap(&BaseTarget::messageMap, 0, 0, msgCommand, scClicked, IDOK), 0);
    EXPECT_EQ(t.log, (std::vector<std::string> { "derived ok" })); // the handler is virtual
}

TEST(MessageMap, HasHandlerMatchesSubCodeAndIdOfAnyEntryAndCallsNothing)
{
    DerivedTarget t;
    EXPECT_EQ(t.UpdateMap(0, 0, msgHasHandler, scCommand, 200), 0); // in the base map
    EXPECT_EQ(t.UpdateMap(0, 0, msgHasHandler, scClicked, 4000), 0); // inside a range
    EXPECT_EQ(t.UpdateMap(0, 0, msgHasHandler, scCommand, 502), -1);
    EXPECT_EQ(t.UpdateMap(0, 0, msgHasHandler, scSelChange, 500), -1);
    EXPECT_TRUE(t.log.empty());
}

TEST(MessageMap, EachSignatureKindGetsItsArgumentsAndResult)
{
    DerivedTarget t;
    EXPECT_EQ(t.UpdateMap(4, 3, msgUser), 43);
    struct Case {
        WPARAM w;
        LPARAM l;
        UINT code;
        const char* expected;
    };
    MsgPoint p { -12, 345 };
    int bar = 0;
    const Case cases[] = {
        { 0, 300 | (200 << 16), msgSize, "size 0 300 200" },
        { 0, reinterpret_cast<LPARAM>(&p), msgMove, "move 0 -12 345" },
        // Packed as a window packs it, in 64 and in 32 unsigned bits: signs survive.
        { 1, (-5 & 0xFFFF) | (static_cast<LPARAM>(-7) * 65536), msgLButtonDblClk, "dbl 1 -5 -7" },
        { 3, static_cast<std::uint32_t>(0xFFF9FFFBu), msgLButtonDblClk, "dbl 3 -5 -7" },
        { (37u << 16) | 8u, reinterpret_cast<LPARAM>(&bar), msgVScroll, "scroll 8 37 1" },
        { 17, 0, msgTimer, "timer 17 0 0" },
    };
    for (const Case& c : cases) {
        t.last.clear();
        EXPECT_EQ(t.UpdateMap(c.w, c.l, c.code), 0) << c.expected;
        EXPECT_EQ(t.last, c.expected);
    }
    t.last.clear();
    EXPECT_EQ(t.UpdateMap(0, 0, msgMove), 0); // a null position calls nothing
    EXPECT_EQ(t.last, "");
}

TEST(MessageMap, UpdateHandlerStateReachesTheActionWithTextCutAtTheTab)
{
    DerivedTarget t;
    QAction a("Old text");
    EXPECT_EQ(t.UpdateMap(0, reinterpret_cast<LPARAM>(&a), msgCommand, scUpdate, 300), 0);
    EXPECT_EQ(a.text(), QString("Bigger"));
    EXPECT_FALSE(a.isEnabled());
    EXPECT_TRUE(a.isChecked());
    EXPECT_EQ(t.UpdateMap(0, 0, msgCommand, scUpdate, 300), 0); // no action: no crash
}
