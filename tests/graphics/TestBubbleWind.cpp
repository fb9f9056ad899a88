// The tooltip bubble: sizing from its text, wrapping, placement beside the
// point and inside the owner, hiding, painting and the mouse relay.

#include "BubbleWind.h"
#include "CDC.h"
#include "MessageMap.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// An owner window that records relayed mouse moves.
class OwnerWnd : public CWnd {
    Q_DECLARE_MESSAGE_MAP(OwnerWnd)
public:
    std::vector<std::pair<WPARAM, LPARAM>> relayed;
    LRESULT OnRelay(WPARAM w, LPARAM l)
    {
        relayed.push_back({ w, l });
        return 0;
    }
};
Q_BEGIN_ROOT_MESSAGE_MAP(OwnerWnd)
Q_ON_MESSAGE(msgMouseRelay, OnRelay)
Q_END_MESSAGE_MAP()

class BubbleTest : public testing::Test {
protected:
    void SetUp() override
    {
        owner.Create(nullptr, "owner", WS_VISIBLE_BIT, CRect(0, 0, 400, 300), nullptr, 0);
        QFont f("DejaVu Sans");
        f.setPixelSize(12);
        owner.GetWidget()->setFont(f);
        bubble.Create(&owner, nullptr, 5);
    }
    CSize extent(const char* s) const
    {
        QFontMetrics m(owner.GetWidget()->font());
        return CSize(m.horizontalAdvance(QString(s)), m.height());
    }
    QPoint pos() const { return bubble.GetWidget()->pos(); }

    OwnerWnd owner;
    BubbleWind bubble;
};

TEST_F(BubbleTest, SizeIsTheTextPlusTwoMarginsWithInclusiveEdges)
{
    EXPECT_FALSE(bubble.IsWindowVisible());
    bubble.SetText("Source: ADATin Index: 3");
    CSize e = extent("Source: ADATin Index: 3");
    EXPECT_EQ(bubble.GetRect(), CRect(0, 0, 10 + e.cx - 1, 10 + e.cy - 1));
    EXPECT_EQ(bubble.GetWidget()->size(), QSize(10 + e.cx, 10 + e.cy));
}

TEST_F(BubbleTest, TextWrapsAtBlanksKeepingThemOnTheLineAndStopsAtEightLines)
{
    CSize oneTwo = extent("one two");
    bubble.SetWrapWidth(oneTwo.cx + 1);
    bubble.SetText("one two three four abcdefghijklmnopqrstu  xy");
    std::vector<int> lengths; // "one two ", "three ", "four ", the long word with its blanks, "xy"
    for (int i = 0; i < bubble.GetLineCount(); ++i)
        lengths.push_back(bubble.GetLineLength(i));
    EXPECT_EQ(lengths, (std::vector<int> { 8, 6, 5, 23, 2 }));
    EXPECT_EQ(bubble.GetRect(),
        CRect(0, 0, 10 + extent("abcdefghijklmnopqrstu").cx - 1, 10 + 5 * oneTwo.cy - 1));
    bubble.SetWrapWidth(3);
    bubble.SetText("a b c d e f g h i j k l");
    EXPECT_EQ(bubble.GetLineCount(), BubbleWind::maxLines);
}

TEST_F(BubbleTest, SitsRightOfThePointOrLeftNearTheEdgeAndStaysInsideTheOwner)
{
    bubble.SetText("-3.0 dB");
    const int w = bubble.GetRect().Width() + 2, h = bubble.GetRect().Height() + 2;
    const struct {
        CPoint at;
        QPoint expected;
    } cases[] = {
        { CPoint(100, 100), QPoint(100 + 10 - 1, 100 - (h - 2) / 2 - 1) },
        { CPoint(395, 100), QPoint(395 + 10 - 1 - w - 2 * 10, 100 - (h - 2) / 2 - 1) },
        { CPoint(100, 2), QPoint(109, 0) },
        { CPoint(100, 298), QPoint(109, 300 - h) },
    };
    for (const auto& c : cases) {
        bubble.Draw(c.at, "-3.0 dB", 10);
        EXPECT_TRUE(bubble.IsWindowVisible());
        EXPECT_EQ(pos(), c.expected) << c.at.x << "," << c.at.y;
    }
    // An owner too narrow for either side: the bubble starts at its left edge.
    owner.GetWidget()->resize(60, 300);
    bubble.Draw(CPoint(50, 100), "a long text for a narrow owner", 10);
    EXPECT_EQ(pos().x(), 0);
}

TEST_F(BubbleTest, EmptyTextHidesAndTheSameTextAtTheSamePointShowsAgain)
{
    bubble.Draw(CPoint(101, 100), "-3.0 dB", 10);
    bubble.Draw(CPoint(101, 100), "", 10);
    EXPECT_FALSE(bubble.IsWindowVisible());
    EXPECT_TRUE(bubble.GetText().IsEmpty());
    // Shown again at the same point once it has text again.
    bubble.Draw(CPoint(101, 100), "-3.0 dB", 10);
    EXPECT_TRUE(bubble.IsWindowVisible());
}

TEST_F(BubbleTest, PaintsARoundedBoxInTheFillColourWithTheText)
{
    bubble.SetText("WWWW");
    const CRect& r = bubble.GetRect();
    QImage img(r.Width() + 1, r.Height() + 1, QImage::Format_RGB32);
    img.fill(Qt::blue);
    {
        CDC dc(&img);
        bubble.Paint(&dc);
    }
    EXPECT_EQ(img.pixelColor(2, r.Height() / 2), QColor(255, 255, 128)); // tooltip yellow
    EXPECT_EQ(img.pixelColor(r.Width() + 0, r.Height() + 0), QColor(Qt::blue)); // corner stays
    int dark = 0;
    for (int x = 5; x < r.Width() - 5; ++x)
        for (int y = 5; y < r.Height() - 5; ++y)
            dark += qGray(img.pixel(x, y)) < 100;
    EXPECT_GT(dark, 10); // the text is drawn in black
}

TEST_F(BubbleTest, MouseMovesAreRelayedToTheOwnerInItsFrame)
{
    owner.GetWidget()->move(30, 40);
    CRect wr;
    owner.GetWindowRect(&wr);
    bubble.OnMouseMove(1, CPoint(2, 9)); // too close to the left edge: not relayed
    bubble.OnMouseMove(1, CPoint(10, 5));
    QApplication::sendPostedEvents();
    ASSERT_EQ(owner.relayed.size(), 1u);
    EXPECT_EQ(owner.relayed[0].first, 1u);
    EXPECT_EQ(owner.relayed[0].second, LPARAM((10 + wr.left) | ((5 + wr.top) << 16)));
}

} // namespace
