// The activity clock: hand tips, stepping and painting.

#include "CDC.h"
#include "ClockIndicator.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

class ClockTest : public testing::Test {
protected:
    void SetUp() override
    {
        parent.Create(nullptr, "parent", WS_VISIBLE_BIT, CRect(0, 0, 300, 300), nullptr, 0);
    }
    CWnd parent;
};

TEST_F(ClockTest, TipsGoClockwiseFromStraightUpOnTheShortTurn)
{
    ClockIndicator clock(&parent, "MIDI", 0xFFC0C0C0, 2, 0xFF000000);
    EXPECT_EQ(clock.GetWidget()->geometry(), QRect(100, 100, 100, 100));
    EXPECT_EQ(clock.GetFaceRect(), CRect(1, 1, 99, 99));
    // rx = ry = 98 / 2 - 2 = 47; the turn constant 6.28312 makes the up and
    // down tips fall just short of 47.
    EXPECT_EQ(clock.GetTip(0), CPoint(0, -46));
    EXPECT_EQ(clock.GetTip(1), CPoint(23, -40));
    EXPECT_EQ(clock.GetTip(3), CPoint(47, 0));
    EXPECT_EQ(clock.GetTip(6), CPoint(0, 46));
    EXPECT_EQ(clock.GetTip(9), CPoint(-46, 0));
    EXPECT_EQ(clock.GetTip(11), CPoint(-23, -40));
}

TEST_F(ClockTest, ThirteenClicksPutBothHandsAtTipOne)
{
    ClockIndicator clock(&parent, "MIDI", 0xFFC0C0C0, 2, 0xFF000000);
    for (int i = 0; i < 13; ++i)
        clock.Click();
    EXPECT_EQ(clock.GetCounter(), 13);
    EXPECT_EQ(clock.LongHandEnd(), CPoint(49 + 23, 49 - 40));
    EXPECT_EQ(clock.ShortHandEnd(), CPoint(49 + 7, 49 - 13)); // tip 1 / 3, toward zero
}

TEST_F(ClockTest, PaintsTheFaceAndTheLongHand)
{
    ClockIndicator clock(&parent, "", 0xFFC0C0C0, 2, 0xFF000000);
    QImage img(100, 100, QImage::Format_RGB32);
    auto paint = [&] {
        img.fill(Qt::white);
        CDC dc(&img);
        clock.Paint(&dc);
    };
    paint();
    EXPECT_EQ(img.pixelColor(49, 20), QColor(Qt::black)); // long hand straight up
    EXPECT_EQ(img.pixelColor(75, 49), QColor(0xC0, 0xC0, 0xC0)); // face
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::white)); // outside the face
    for (int i = 0; i < 3; ++i)
        clock.Click();
    paint();
    EXPECT_EQ(img.pixelColor(75, 49), QColor(Qt::black)); // long hand at three o'clock
    EXPECT_EQ(img.pixelColor(49, 20), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(img.pixelColor(49, 40), QColor(Qt::black)); // short hand still up
}

TEST(ClockWithoutParent, CountsWithoutAWindow)
{
    ClockIndicator clock(nullptr, "MIDI", 0xFFC0C0C0, 2, 0xFF000000);
    EXPECT_EQ(clock.GetWidget(), nullptr);
    clock.Click();
    clock.Click();
    EXPECT_EQ(clock.GetCounter(), 2);
}

} // namespace
