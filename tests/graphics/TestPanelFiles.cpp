// The generated pictures and panel descriptions of the three models: record
// counts and order, and marks inside the picture where the records say.

#include "ModelTables.h"
#include "RecordingDesc.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

std::string panelPath(const char* file)
{
    return std::string(PANEL_DIR) + "/" + file;
}

bool inside(const CRect& r, const CRect& area)
{
    return r.left >= area.left && r.top >= area.top && r.right <= area.right
        && r.bottom <= area.bottom;
}

class PanelFiles : public testing::TestWithParam<int> { };

TEST_P(PanelFiles, EveryMarkLiesInsideThePictureWhereItsRecordSays)
{
    const model_entry& m = main_table[GetParam()];
    QImage img(QString::fromStdString(panelPath(m.bitmapFile)));
    ASSERT_FALSE(img.isNull()) << m.bitmapFile;
    EXPECT_GE(img.width(), 900);
    EXPECT_LE(img.width(), 1200);
    RecordingDesc d;
    ASSERT_TRUE(d.Load(panelPath(m.panelFile).c_str(), nullptr));
    EXPECT_EQ(d.GetOutline(), CRect(0, 0, img.width() - 1, img.height() - 1));
    // The outline, then one LED per node, then one BUTTON per option.
    const int leds = ioNodeCount(m);
    ASSERT_EQ(int(d.calls.size()), 1 + leds + comboDescCount(m.comboDescs));
    for (int i = 0; i < int(d.calls.size()); ++i)
        EXPECT_EQ(d.calls[i].what, i == 0 ? "OUTLINE" : i <= leds ? "LED" : "BUTTON") << i;

    CRect picture(0, 0, img.width(), img.height());
    std::vector<CRect> marks;
    for (const DescCall& c : d.calls) {
        if (c.what == "OUTLINE")
            continue;
        EXPECT_TRUE(inside(c.r, picture)) << c.what << " " << c.r.left << "," << c.r.top;
        EXPECT_GT(c.r.Width(), 0);
        EXPECT_GT(c.r.Height(), 0);
        for (const CRect& other : marks) {
            CRect common;
            EXPECT_FALSE(common.IntersectRect(c.r, other)) << c.r.left << "," << c.r.top;
        }
        marks.push_back(c.r);
        if (c.what != "LED" || !inside(c.r, picture))
            continue;
        // A round, dark node mark is drawn on the region: dark just right of
        // and below its centre, page-light at its corners.
        CPoint ctr = c.r.CenterPoint();
        EXPECT_LT(qGray(img.pixel(ctr.x + 1, ctr.y + 1)), 128) << ctr.x << "," << ctr.y;
        EXPECT_GT(qGray(img.pixel(c.r.left, c.r.top)), 128);
        EXPECT_GT(qGray(img.pixel(c.r.right - 1, c.r.bottom - 1)), 128);
    }
}

TEST_P(PanelFiles, LedsOfARowRunLeftToRightInIndexOrder)
{
    const model_entry& m = main_table[GetParam()];
    RecordingDesc d;
    ASSERT_TRUE(d.Load(panelPath(m.panelFile).c_str(), nullptr));
    int call = 1;
    for (int r = 0; r < m.ioRows; ++r) {
        for (int i = 0; i < m.ioTable[r].count; ++i, ++call) {
            ASSERT_LT(call, int(d.calls.size()));
            if (i == 0)
                continue;
            const CRect& prev = d.calls[call - 1].r;
            const CRect& cur = d.calls[call].r;
            EXPECT_EQ(cur.top, prev.top) << m.ioTable[r].label << " " << i;
            EXPECT_GT(cur.left, prev.right) << m.ioTable[r].label << " " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllModels, PanelFiles, testing::Values(0, 1, 2), [](const testing::TestParamInfo<int>& info) {
        return std::string(main_table[info.param].modelName);
    });

} // namespace
