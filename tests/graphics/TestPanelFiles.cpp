// The generated pictures and panel descriptions of the three models: record
// counts and order, marks inside the picture where the records say, and the
// page as the editor would lay it out.

#include "EmfDescriptor.h"
#include "LedDescriptor.h"
#include "ModelTables.h"
#include "NMetafile.h"
#include "PanelHost.h"
#include "RecordingDesc.h"
#include "RoutingEmfDesc.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

std::string panelPath(const char* file)
{
    return std::string(PANEL_DIR) + "/" + file;
}

// Lays the picture out as the editor does: the width of a window less a
// margin of 10, the height following, the picture's origin at the area's
// top-left.
class EditorLikeHost : public PanelHost {
public:
    NMetafile picture;
    int windowWidth = 900;
    CPoint origin;
    CPoint PictureOrigin() const override { return origin; }
    double EmfOutline(const CRect* outline) override
    {
        CRect area(0, 60, windowWidth, 600);
        double s = picture.SetDisplayRect(area, 10);
        origin = area.TopLeft();
        drawn = area;
        if (!outline)
            return s;
        CRect o;
        picture.GetOutlineRect(o);
        return s
            * std::max(
                double(o.Width()) / outline->Width(), double(o.Height()) / outline->Height());
    }
    CRect drawn;
};

bool inside(const CRect& r, const CRect& area)
{
    return r.left >= area.left && r.top >= area.top && r.right <= area.right
        && r.bottom <= area.bottom;
}

class PanelFiles : public testing::TestWithParam<int> { };

TEST_P(PanelFiles, DescriptionHoldsOutlineThenOneLedPerNodeThenOneButtonPerOption)
{
    const model_entry& m = main_table[GetParam()];
    RecordingDesc d;
    ASSERT_TRUE(d.Load(panelPath(m.panelFile).c_str(), nullptr)) << m.panelFile;
    int leds = ioNodeCount(m);
    int buttons = comboDescCount(m.comboDescs);
    ASSERT_EQ(int(d.calls.size()), 1 + leds + buttons);
    EXPECT_EQ(d.calls[0].what, "OUTLINE");
    for (int i = 1; i <= leds; ++i)
        EXPECT_EQ(d.calls[i].what, "LED") << i;
    for (int i = 1 + leds; i < int(d.calls.size()); ++i)
        EXPECT_EQ(d.calls[i].what, "BUTTON") << i;
    EXPECT_EQ(d.GetLedCount(), leds);
    EXPECT_EQ(d.GetButtonCount(), buttons);
}

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

TEST_P(PanelFiles, EditorLayoutPutsEveryNodeAndButtonOnTheDrawnPicture)
{
    const model_entry& m = main_table[GetParam()];
    EditorLikeHost host;
    ASSERT_TRUE(host.picture.Load(panelPath(m.bitmapFile).c_str()));
    RoutingEmfDesc d;
    ASSERT_TRUE(d.Load(panelPath(m.panelFile).c_str(), static_cast<PanelHost*>(&host)));
    // The outline record matches the picture, so regions scale like the picture.
    EXPECT_DOUBLE_EQ(d.GetScale(), host.picture.GetScale());
    EXPECT_EQ(d.GetLedList().GetCount(), ioNodeCount(m));
    EXPECT_EQ(d.GetButtonList().GetCount(), comboDescCount(m.comboDescs));
    for (int i = 0; i < d.GetLedList().GetCount(); ++i)
        EXPECT_TRUE(inside(d.GetLed(i)->rect, host.drawn)) << i;
    for (int i = 0; i < d.GetButtonList().GetCount(); ++i)
        EXPECT_TRUE(inside(d.GetButton(i)->rect, host.drawn)) << i;
    // Node squares at this size stay apart, so a click finds one node.
    for (int i = 1; i < d.GetLedList().GetCount(); ++i) {
        CRect common;
        EXPECT_FALSE(common.IntersectRect(d.GetLed(i - 1)->rect, d.GetLed(i)->rect)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllModels, PanelFiles, testing::Values(0, 1, 2), [](const testing::TestParamInfo<int>& info) {
        return std::string(main_table[info.param].modelName);
    });

} // namespace
