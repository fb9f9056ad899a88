// Windows: toolkit events become handler calls, posting to destroyed windows.
// (Posting to live windows is what every editor test does.)
#include "CWnd.h"
#include "Posting.h"
#include "TestWndSupport.h"
#include <QMouseEvent>
#include <string>
#include <vector>

namespace {

class ProbeWnd : public CWnd {
    Q_DECLARE_MESSAGE_MAP(ProbeWnd)
public:
    std::vector<std::string> calls;
    std::vector<std::pair<WPARAM, LPARAM>> userMessages;
    std::function<void()> onUser;
    static int s_userCount;

    void add(const char* what, UINT f, CPoint p)
    {
        calls.push_back(std::string(what) + " " + std::to_string(f) + " " + std::to_string(p.x)
            + "," + std::to_string(p.y));
    }
    void OnLButtonDown(UINT f, CPoint p) override { add("LDown", f, p); }
    void OnLButtonUp(UINT f, CPoint p) override { add("LUp", f, p); }
    void OnRButtonDown(UINT f, CPoint p) override { add("RDown", f, p); }
    void OnRButtonUp(UINT f, CPoint p) override { add("RUp", f, p); }
    void OnDblClk(UINT f, CPoint p) { add("Dbl", f, p); }
    LRESULT OnUser(WPARAM w, LPARAM l)
    {
        ++s_userCount;
        userMessages.emplace_back(w, l);
        if (onUser)
            onUser();
        return 0;
    }
};
int ProbeWnd::s_userCount = 0;

Q_BEGIN_MESSAGE_MAP(ProbeWnd, CWnd)
Q_ON_LBUTTONDBLCLK(OnDblClk)
Q_ON_MESSAGE(msgUser + 7, OnUser)
Q_END_MESSAGE_MAP()

std::unique_ptr<ProbeWnd> shownWindow(CWnd* parent = nullptr, CRect r = CRect(10, 10, 210, 160))
{
    auto w = std::make_unique<ProbeWnd>();
    EXPECT_TRUE(w->Create(nullptr, "probe", 0x2, r, parent, 0));
    if (!parent) {
        EXPECT_TRUE(waitExposed(w->GetWidget()));
    }
    QCoreApplication::processEvents();
    return w;
}

} // namespace

TEST(WndEvents, MouseButtonsCarryModifierAndButtonFlagsAndDoubleClicksKeepTheirSign)
{
    auto w = shownWindow();
    QWidget* q = w->GetWidget();
    press(q, Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 34));
    release(q, Qt::LeftButton, Qt::ShiftModifier, QPoint(13, 35));
    press(q, Qt::RightButton, Qt::ControlModifier, QPoint(5, 6));
    release(q, Qt::RightButton, Qt::NoModifier, QPoint(5, 6));
    press(q, Qt::MiddleButton, Qt::NoModifier, QPoint(5, 6)); // reaches no handler
    release(q, Qt::MiddleButton, Qt::NoModifier, QPoint(5, 6));
    for (auto [button, mods, pos] :
        { std::tuple { Qt::LeftButton, Qt::AltModifier, QPoint(-5, -7) },
            std::tuple { Qt::RightButton, Qt::NoModifier, QPoint(3, 3) } }) {
        QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(pos), q->mapToGlobal(QPointF(pos)),
            button, button, mods);
        QApplication::sendEvent(q, &e); // a right double click raises nothing
    }
    const UINT shift = UINT(Qt::ShiftModifier), ctrl = UINT(Qt::ControlModifier);
    EXPECT_EQ(w->calls,
        (std::vector<std::string> { "LDown " + std::to_string(shift | 1) + " 12,34",
            "LUp " + std::to_string(shift | 1) + " 13,35",
            "RDown " + std::to_string(ctrl | 2) + " 5,6", "RUp 2 5,6",
            "Dbl " + std::to_string(UINT(Qt::AltModifier) | 1) + " -5,-7" }));
}

TEST(WndMessages, MessagesQueuedForAWindowThatGoesAreDroppedEvenInsideItsOwnHandler)
{
    ProbeWnd::s_userCount = 0;
    auto w = shownWindow();
    w->PostMessage(msgUser + 7, 1, 1);
    w.reset();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(ProbeWnd::s_userCount, 0);

    w = shownWindow();
    QPointer<QWidget> widget = w->GetWidget();
    w->onUser = [&] { w.reset(); };
    w->PostMessage(msgUser + 7, 1, 1);
    w->PostMessage(msgUser + 7, 2, 2); // still queued when the window goes
    ASSERT_TRUE(pumpUntil([&] { return !w && widget.isNull(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(ProbeWnd::s_userCount, 1);
}
