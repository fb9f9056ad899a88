// Windows: event translation with real toolkit events, geometry and style words,
// posting to live and destroyed windows, timers.
#include "CScrollBar.h"
#include "CWnd.h"
#include "Posting.h"
#include "TestWndSupport.h"
#include <QMouseEvent>
#include <QWheelEvent>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Call {
    std::string what;
    UINT flags;
    CPoint p;
};

class ProbeWnd : public CWnd {
    Q_DECLARE_MESSAGE_MAP(ProbeWnd)
public:
    std::vector<Call> calls;
    std::vector<std::pair<WPARAM, LPARAM>> userMessages;
    std::vector<UINT> timers;
    int sizeType = -1, sizeCx = -1, sizeCy = -1;
    BOOL wheelAnswer = FALSE;
    std::function<void()> onUser;
    static int s_userCount;

    void OnLButtonDown(UINT f, CPoint p) override { calls.push_back({ "LDown", f, p }); }
    void OnLButtonUp(UINT f, CPoint p) override { calls.push_back({ "LUp", f, p }); }
    void OnRButtonDown(UINT f, CPoint p) override { calls.push_back({ "RDown", f, p }); }
    void OnRButtonUp(UINT f, CPoint p) override { calls.push_back({ "RUp", f, p }); }
    void OnMouseMove(UINT f, CPoint p) override { calls.push_back({ "Move", f, p }); }
    void OnKeyDown(UINT key, UINT, UINT) override { calls.push_back({ "KeyDown", key, {} }); }
    void OnKeyUp(UINT key, UINT, UINT) override { calls.push_back({ "KeyUp", key, {} }); }
    BOOL OnMouseWheel(UINT f, short delta, CPoint p) override
    {
        calls.push_back({ "Wheel", f, CPoint(delta, p.y) });
        return wheelAnswer;
    }
    void OnDblClk(UINT f, CPoint p) { calls.push_back({ "Dbl", f, p }); }
    void OnSize(UINT type, int cx, int cy)
    {
        sizeType = static_cast<int>(type);
        sizeCx = cx;
        sizeCy = cy;
    }
    void OnTimer(UINT id) { timers.push_back(id); }
    LRESULT OnUser(WPARAM w, LPARAM l)
    {
        ++s_userCount;
        userMessages.emplace_back(w, l);
        if (onUser)
            onUser();
        return 0;
    }

    std::vector<Call> only(const std::string& what) const
    {
        std::vector<Call> r;
        for (const Call& c : calls)
            if (c.what == what)
                r.push_back(c);
        return r;
    }
};
int ProbeWnd::s_userCount = 0;

Q_BEGIN_MESSAGE_MAP(ProbeWnd, CWnd)
Q_ON_LBUTTONDBLCLK(OnDblClk)
Q_ON_SIZE(OnSize)
Q_ON_TIMER(OnTimer)
Q_ON_MESSAGE(msgUser + 7, OnUser)
Q_END_MESSAGE_MAP()

std::unique_ptr<ProbeWnd> shownWindow(CWnd* parent = nullptr, CRect r = CRect(10, 10, 210, 160))
{
    auto w = std::make_unique<ProbeWnd>();
    EXPECT_TRUE(w->Create(nullptr, "probe", 0x2, r, parent, 0));
    if (!parent) {
        EXPECT_TRUE(waitExposed(w->GetWidget()));
    }
    return w;
}

} // namespace

TEST(WndEvents, MouseButtonsCarryModifierAndButtonFlags)
{
    auto w = shownWindow();
    QWidget* q = w->GetWidget();
    press(q, Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 34));
    release(q, Qt::LeftButton, Qt::ShiftModifier, QPoint(13, 35));
    press(q, Qt::RightButton, Qt::ControlModifier, QPoint(5, 6));
    release(q, Qt::RightButton, Qt::NoModifier, QPoint(5, 6));
    press(q, Qt::MiddleButton, Qt::NoModifier, QPoint(5, 6));
    release(q, Qt::MiddleButton, Qt::NoModifier, QPoint(5, 6));

    auto down = w->only("LDown");
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].flags, UINT(Qt::ShiftModifier) | 1u);
    EXPECT_EQ(down[0].p, CPoint(12, 34));
    auto up = w->only("LUp");
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].flags, UINT(Qt::ShiftModifier) | 1u);
    EXPECT_EQ(up[0].p, CPoint(13, 35));
    auto rdown = w->only("RDown");
    ASSERT_EQ(rdown.size(), 1u);
    EXPECT_EQ(rdown[0].flags, UINT(Qt::ControlModifier) | 2u);
    auto rup = w->only("RUp");
    ASSERT_EQ(rup.size(), 1u);
    EXPECT_EQ(rup[0].flags, 2u);
    // The middle button reaches no handler.
    EXPECT_EQ(w->only("LDown").size() + w->only("RDown").size(), 2u);
}

TEST(WndEvents, MovesWithoutButtonsReachCreatedWindows)
{
    auto w = shownWindow();
    moveTo(w->GetWidget(), QPoint(40, 50));
    ASSERT_TRUE(waitUntil([&] { return !w->only("Move").empty(); }));
    EXPECT_EQ(w->only("Move").back().p, CPoint(40, 50));
    EXPECT_EQ(w->only("Move").back().flags, 0u);
}

TEST(WndEvents, DoubleClickIsAMapMessageWithPackedPoint)
{
    auto w = shownWindow();
    QWidget* q = w->GetWidget();
    press(q, Qt::LeftButton, Qt::NoModifier, QPoint(21, 43));
    release(q, Qt::LeftButton, Qt::NoModifier, QPoint(21, 43));
    sendMouse(q, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier,
        QPoint(21, 43));
    release(q, Qt::LeftButton, Qt::NoModifier, QPoint(21, 43));
    auto dbl = w->only("Dbl");
    ASSERT_EQ(dbl.size(), 1u);
    EXPECT_EQ(dbl[0].flags & 1u, 1u);
    EXPECT_EQ(dbl[0].p, CPoint(21, 43));

    // Negative coordinates survive the 16-bit packing.
    QMouseEvent neg(QEvent::MouseButtonDblClick, QPointF(-5, -7), q->mapToGlobal(QPointF(-5, -7)),
        Qt::LeftButton, Qt::LeftButton, Qt::AltModifier);
    QApplication::sendEvent(q, &neg);
    dbl = w->only("Dbl");
    ASSERT_EQ(dbl.size(), 2u);
    EXPECT_EQ(dbl[1].p, CPoint(-5, -7));
    EXPECT_EQ(dbl[1].flags, UINT(Qt::AltModifier) | 1u);

    // A right double click raises nothing.
    QMouseEvent right(QEvent::MouseButtonDblClick, QPointF(3, 3), q->mapToGlobal(QPointF(3, 3)),
        Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(q, &right);
    EXPECT_EQ(w->only("Dbl").size(), 2u);
}

TEST(WndEvents, ChildConsumesItsOwnMouseEvents)
{
    auto parent = shownWindow();
    auto child = shownWindow(parent.get(), CRect(50, 50, 100, 100));
    press(child->GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 4));
    EXPECT_EQ(child->only("LDown").size(), 1u);
    EXPECT_TRUE(parent->only("LDown").empty());
}

TEST(WndEvents, KeysGiveToolkitKeyCodes)
{
    auto w = shownWindow();
    keyClick(w->GetWidget(), Qt::Key_Delete);
    auto down = w->only("KeyDown");
    auto up = w->only("KeyUp");
    ASSERT_EQ(down.size(), 1u);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(down[0].flags, UINT(Qt::Key_Delete));
    EXPECT_EQ(up[0].flags, UINT(Qt::Key_Delete));
}

TEST(WndEvents, UnhandledWheelGoesOnToTheParent)
{
    auto parent = shownWindow();
    auto child = shownWindow(parent.get(), CRect(50, 50, 100, 100));
    auto wheel = [&](int delta) {
        QWheelEvent e(QPointF(5, 6), child->GetWidget()->mapToGlobal(QPointF(5, 6)), QPoint(),
            QPoint(0, delta), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&e);
        qApp->notify(child->GetWidget(), &e); // sendEvent would clear the mark
    };
    child->wheelAnswer = FALSE;
    wheel(-120);
    ASSERT_EQ(child->only("Wheel").size(), 1u);
    EXPECT_EQ(child->only("Wheel")[0].p.x, -120);
    EXPECT_EQ(child->only("Wheel")[0].flags, UINT(Qt::ControlModifier));
    EXPECT_EQ(parent->only("Wheel").size(), 1u);

    child->wheelAnswer = TRUE;
    wheel(240);
    EXPECT_EQ(child->only("Wheel").size(), 2u);
    EXPECT_EQ(parent->only("Wheel").size(), 1u);
}

TEST(WndEvents, ResizeReachesSizeHandlerAsTypeWidthHeight)
{
    auto w = shownWindow();
    w->GetWidget()->resize(300, 200);
    ASSERT_TRUE(waitUntil([&] { return w->sizeCx == 300; }));
    EXPECT_EQ(w->sizeType, 0);
    EXPECT_EQ(w->sizeCy, 200);
}

TEST(WndEvents, TimerReportsTheIdSetTimerReturned)
{
    auto w = shownWindow();
    UINT id = w->SetTimer(7, 5);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(waitUntil([&] { return w->timers.size() >= 2; }));
    EXPECT_EQ(w->timers[0], id);
    EXPECT_TRUE(w->KillTimer(id));
    size_t seen = w->timers.size();
    runFor(40);
    EXPECT_EQ(w->timers.size(), seen);
}

TEST(WndMessages, PostedMessagesArriveInOrderWithTheirWords)
{
    auto w = shownWindow();
    w->PostMessage(msgUser + 7, 1, 10);
    w->PostMessage(msgUser + 7, 2, -20);
    w->PostMessage(msgUser + 8, 3, 30); // no entry: dropped quietly
    ASSERT_TRUE(waitUntil([&] { return w->userMessages.size() == 2; }));
    EXPECT_EQ(w->userMessages[0], std::make_pair(WPARAM(1), LPARAM(10)));
    EXPECT_EQ(w->userMessages[1], std::make_pair(WPARAM(2), LPARAM(-20)));
    EXPECT_EQ(w->SendMessage(msgUser + 7, 4, 40), 1);
    EXPECT_EQ(w->SendMessage(msgUser + 8, 4, 40), 0);
}

TEST(WndMessages, MessagePostedToADestroyedWindowIsDropped)
{
    ProbeWnd::s_userCount = 0;
    auto w = shownWindow();
    QPointer<QWidget> widget = w->GetWidget();
    w->PostMessage(msgUser + 7, 1, 1);
    w.reset();
    EXPECT_TRUE(widget.isNull());
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(ProbeWnd::s_userCount, 0);
}

TEST(WndMessages, WindowDestroyedInsideItsOwnHandlerLeavesNothingDangling)
{
    ProbeWnd::s_userCount = 0;
    auto w = shownWindow();
    QPointer<QWidget> widget = w->GetWidget();
    w->onUser = [&] { w.reset(); };
    w->PostMessage(msgUser + 7, 1, 1);
    w->PostMessage(msgUser + 7, 2, 2); // still queued when the window goes
    ASSERT_TRUE(waitUntil([&] { return !w; }));
    ASSERT_TRUE(waitUntil([&] { return widget.isNull(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(ProbeWnd::s_userCount, 1);
}

TEST(WndMessages, FromHandleKnowsOnlyLiveWindows)
{
    auto w = shownWindow();
    QWidget* q = w->GetWidget();
    EXPECT_EQ(CWnd::FromHandle(q), w.get());
    auto other = shownWindow();
    EXPECT_EQ(CWnd::FromHandle(other->GetWidget()), other.get());
    w.reset();
    EXPECT_EQ(CWnd::FromHandle(q), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

TEST(WndGeometry, SetWindowPosFlagsKeepPositionOrSize)
{
    auto parent = shownWindow(nullptr, CRect(0, 0, 400, 300));
    auto w = shownWindow(parent.get(), CRect(10, 20, 110, 70));
    w->SetWindowPos(nullptr, 50, 60, 200, 90, 0x820); // no move
    QRect g = w->GetWidget()->geometry();
    EXPECT_EQ(g, QRect(10, 20, 200, 90));
    w->SetWindowPos(nullptr, 50, 60, 10, 10, 0xC00); // no size
    g = w->GetWidget()->geometry();
    EXPECT_EQ(g, QRect(50, 60, 200, 90));
    w->SetWindowPos(nullptr, 0, 0, 0, 0, 0x420 | wpHide);
    EXPECT_FALSE(w->IsWindowVisible());
    w->SetWindowPos(nullptr, 0, 0, 0, 0, 0x420 | wpShow);
    EXPECT_TRUE(w->IsWindowVisible());
    EXPECT_EQ(w->GetWidget()->geometry(), QRect(50, 60, 200, 90));
}

TEST(WndGeometry, ShowWindowOnlyKnowsZeroAndOne)
{
    auto parent = shownWindow();
    auto w = shownWindow(parent.get(), CRect(0, 0, 20, 20));
    EXPECT_TRUE(w->ShowWindow(0));
    EXPECT_FALSE(w->IsWindowVisible());
    EXPECT_TRUE(w->ShowWindow(5));
    EXPECT_FALSE(w->IsWindowVisible());
    w->ShowWindow(1);
    EXPECT_TRUE(w->IsWindowVisible());
    EXPECT_TRUE(w->ShowWindow(5));
    EXPECT_TRUE(w->IsWindowVisible());
}

TEST(WndGeometry, MoveWindowUndoesGetWindowRectOfATopLevelWindow)
{
    auto w = shownWindow(nullptr, CRect(30, 40, 230, 190));
    CRect r;
    w->GetWindowRect(&r);
    EXPECT_EQ(r.Width(), 200);
    EXPECT_EQ(r.Height(), 150);
    w->MoveWindow(r);
    CRect again;
    w->GetWindowRect(&again);
    EXPECT_EQ(again, r);
    CPoint p(r.left + 5, r.top + 6);
    w->ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(5, 6));
}

TEST(WndStyle, WindowLongTracksVisibilityUserWordAndOwnScrollBars)
{
    auto parent = shownWindow(nullptr, CRect(0, 0, 300, 300));
    auto w = shownWindow(parent.get(), CRect(0, 0, 200, 100));
    EXPECT_EQ(w->GetWindowLong(GWL_STYLE) & 0x2, 0x2);
    w->ShowWindow(0);
    EXPECT_EQ(w->GetWindowLong(GWL_STYLE) & 0x2, 0);
    w->ShowWindow(1);
    EXPECT_EQ(w->SetWindowLong(GWL_USERDATA, 1234), 0);
    EXPECT_EQ(w->GetWindowLong(GWL_USERDATA), 1234);
    EXPECT_EQ(w->GetWindowLong(3), 0);

    CRect c;
    w->GetClientRect(&c);
    EXPECT_EQ(c, CRect(0, 0, 200, 100));
    EXPECT_EQ(w->GetScrollBarCtrl(SB_VERT), nullptr);
    w->SetWindowLong(GWL_STYLE, w->GetWindowLong(GWL_STYLE) | 0x20 | 0x10);
    ASSERT_NE(w->GetScrollBarCtrl(SB_VERT), nullptr);
    ASSERT_NE(w->GetScrollBarCtrl(SB_HORZ), nullptr);
    w->GetClientRect(&c);
    EXPECT_EQ(c, CRect(0, 0, 185, 85));
    QRect vg = w->GetScrollBarCtrl(SB_VERT)->GetWidget()->geometry();
    EXPECT_EQ(vg, QRect(185, 0, 15, 85));
    int lo = -1, hi = -1;
    w->GetScrollBarCtrl(SB_HORZ)->GetScrollRange(&lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 100);

    // The bars follow a resize.
    w->GetWidget()->resize(250, 120);
    ASSERT_TRUE(waitUntil([&] { return w->sizeCx == 250; }));
    vg = w->GetScrollBarCtrl(SB_VERT)->GetWidget()->geometry();
    EXPECT_EQ(vg, QRect(235, 0, 15, 105));
}

TEST(WndMessages, SendFromAnotherThreadFindsTheWindowOwningTheWidget)
{
    auto w = shownWindow();
    QWidget* q = w->GetWidget();
    int handled = -1, unknown = -1;
    std::thread t([&] {
        handled = ::SendMessage(q, msgUser + 7, 9, 90);
        unknown = ::SendMessage(q, msgUser + 9, 0, 0);
    });
    t.join();
    EXPECT_EQ(handled, 0); // the map lookup's result: the handler returned 0
    EXPECT_EQ(unknown, -1);
    ASSERT_EQ(w->userMessages.size(), 1u);
    EXPECT_EQ(w->userMessages[0], std::make_pair(WPARAM(9), LPARAM(90)));
}
