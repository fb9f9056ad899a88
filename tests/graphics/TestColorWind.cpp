// Coloured boxes and colour swatches: background filling, the picker on a
// double click and storing the choice at once.

#include "CDC.h"
#include "ColorPicker.h"
#include "ColorWind.h"
#include "DlgWind.h"
#include "LedWind.h"
#include "MessageMap.h"
#include "NVColor.h"
#include "ProfileStore.h"
#include "TestEnv.h"

#include <QImage>
#include <QSettings>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Answers the colour picker from the test while it lives.
class PickerScript {
public:
    explicit PickerScript(bool confirm, COLORREF answer = 0)
    {
        previous = setColorPickerHandler(
            [this, confirm, answer](QWidget*, COLORREF initial, COLORREF& chosen) {
                offered.push_back(initial);
                if (confirm)
                    chosen = answer;
                return confirm;
            });
    }
    ~PickerScript() { setColorPickerHandler(std::move(previous)); }
    std::vector<COLORREF> offered;

private:
    ColorPickerHandler previous;
};

class SwatchTest : public testing::Test {
protected:
    void SetUp() override
    {
        store = std::make_unique<QSettings>(
            QString::fromStdString(TestEnv::freshDir("colors") + "/s.ini"), QSettings::IniFormat);
        SetProfileStore(store.get());
        parent.Create(nullptr, "parent", WS_VISIBLE_BIT, CRect(0, 0, 200, 100), nullptr, 0);
    }
    void TearDown() override { SetProfileStore(nullptr); }
    void doubleClick(CWnd& w) { w.UpdateMap(1, 3 | (4 << 16), msgLButtonDblClk); }

    std::unique_ptr<QSettings> store;
    CWnd parent;
};

QImage paintBackground(DlgWind& w, QColor under)
{
    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(under);
    CDC dc(&img);
    w.OnEraseBkgnd(&dc);
    return img;
}

TEST_F(SwatchTest, BoxFillsItsClientAreaOnlyWithABackgroundAndFillOn)
{
    DlgWind box;
    box.Create(nullptr, "box", WS_VISIBLE_BIT, CRect(0, 0, 20, 10), &parent, 0);
    EXPECT_EQ(paintBackground(box, Qt::black).pixelColor(5, 5), QColor(Qt::black));
    box.SetBackgroundColor(0xFFFFFFFF); // opaque white is a colour, not "none"
    QImage img = paintBackground(box, Qt::black);
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(19, 9), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(20, 5), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(5, 10), QColor(Qt::black));
    box.SetFill(FALSE);
    EXPECT_EQ(paintBackground(box, Qt::black).pixelColor(5, 5), QColor(Qt::black));
    EXPECT_STREQ(box.Section(), "DlgWind");
    EXPECT_EQ(box.MaxY(), 9999);
    EXPECT_EQ(box.GetRightButtonMenu(), nullptr);
    box.OnRButtonDown(2, CPoint(3, 3)); // no menu: nothing opens
}

TEST_F(SwatchTest, SwatchIsTwentyByTenInItsColoursRgb)
{
    NVColor colour("Swatch_rgb", 0x0000FF00);
    ColorWind swatch;
    swatch.Create(&parent, 1025, &colour);
    EXPECT_EQ(swatch.GetWidget()->size(), QSize(20, 10));
    EXPECT_EQ(swatch.GetWidget()->minimumSize(), QSize(20, 10));
    EXPECT_EQ(swatch.GetWidget()->maximumSize(), QSize(20, 10));
    EXPECT_EQ(swatch.GetDlgCtrlID(), 1025u);
    // Alpha 0 in the setting still paints green.
    EXPECT_EQ(paintBackground(swatch, Qt::black).pixelColor(10, 5), QColor(0, 255, 0));
}

TEST_F(SwatchTest, DoubleClickStoresThePickedColourAtOnce)
{
    NVColor colour("Swatch_pick", 0xFF00FF00);
    ColorWind swatch;
    swatch.Create(&parent, 1025, &colour);
    PickerScript picker(true, 0x00123456);
    doubleClick(swatch);
    ASSERT_EQ(picker.offered.size(), 1u);
    EXPECT_EQ(picker.offered[0], 0xFF00FF00u);
    EXPECT_EQ(colour.Get(), 0xFF123456u);
    EXPECT_EQ(store->value("/Nerilune/Swatch_pick").toString(), "-15584170");
    EXPECT_EQ(paintBackground(swatch, Qt::black).pixelColor(10, 5), QColor(0x12, 0x34, 0x56));
}

TEST_F(SwatchTest, CancelledPickerChangesNothing)
{
    NVColor colour("Swatch_cancel", 0xFF00FF00);
    colour = 0xFF0000FF;
    ColorWind swatch;
    swatch.Create(&parent, 1025, &colour);
    PickerScript picker(false);
    doubleClick(swatch);
    EXPECT_EQ(picker.offered.size(), 1u);
    EXPECT_EQ(colour.Get(), 0xFF0000FFu);
    EXPECT_EQ(store->value("/Nerilune/Swatch_cancel").toString(), "-16776961");
    EXPECT_EQ(paintBackground(swatch, Qt::black).pixelColor(10, 5), QColor(0, 0, 255));
}

TEST_F(SwatchTest, LampPaintsLitAndDark)
{
    LedWind lamp(0xFFFF0000);
    lamp.Create(nullptr, "lamp", WS_VISIBLE_BIT, CRect(0, 0, 20, 20), &parent, 0);
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        CDC dc(&img);
        lamp.Paint(&dc);
    }
    EXPECT_EQ(img.pixelColor(10, 10), QColor(0x40, 0x40, 0x40));
    lamp.SetLit(true);
    {
        CDC dc(&img);
        lamp.Paint(&dc);
    }
    EXPECT_EQ(img.pixelColor(10, 10), QColor(255, 0, 0));
}

} // namespace
