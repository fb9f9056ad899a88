// The colour dialog: its swatches, storing at once, Cancel restoring,
// "Defaults" storing alpha-cleared defaults, and closing without Cancel.

#include "CDC.h"
#include "ColorDialog.h"
#include "ColorPicker.h"
#include "ColorWind.h"
#include "ProfileStore.h"
#include "RoleColors.h"
#include "ScopedSettings.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ColorDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        // Every colour starts from a known stored value, not from another test.
        for (const ColorWindDesc* r = colorDesc; r->id; ++r)
            *r->color = 0xFF101010 + r->id;
        previousPicker = setColorPickerHandler([this](QWidget*, COLORREF, COLORREF& chosen) {
            chosen = pick;
            return true;
        });
    }
    void TearDown() override { setColorPickerHandler(std::move(previousPicker)); }
    QString stored(const char* entry)
    {
        return store.settings().value(QString("/Nerilune/") + entry).toString();
    }
    void doubleClick(CWnd* w) { w->UpdateMap(1, 0, msgLButtonDblClk); }
    void click(ColorDialog& d, UINT id) { d.UpdateMap(0, 0, msgCommand, scClicked, id); }

    ScopedSettings store;
    ColorPickerHandler previousPicker;
    COLORREF pick = 0xFF123456;
};

TEST_F(ColorDialogTest, ChoiceIsStoredAtOnceAndCancelRestoresTheOpeningColours)
{
    ColorDialog dlg(&colorDialogIds, colorDesc);
    QTimer::singleShot(0, [&] {
        doubleClick(dlg.GetSwatch(2)); // "Selected_node"
        EXPECT_EQ(selectColor.Get(), 0xFF123456u);
        EXPECT_EQ(stored("Selected_node"), "-15584170");
        click(dlg, colorDialogIds.defaultsId);
        click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), int(IDCANCEL));
    for (const ColorWindDesc* r = colorDesc; r->id; ++r)
        EXPECT_EQ(r->color->Get(), 0xFF101010u + r->id) << r->id;
    EXPECT_EQ(stored("Selected_node"), QString::number(int(0xFF101010u + 1026)));
}

TEST_F(ColorDialogTest, DefaultsThenOkStoresEveryDefaultWithAlphaCleared)
{
    ColorDialog dlg(&colorDialogIds, colorDesc);
    QTimer::singleShot(0, [&] {
        click(dlg, colorDialogIds.defaultsId);
        click(dlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), int(IDOK));
    EXPECT_EQ(normalColor.Get(), 0x0000FF00u);
    EXPECT_EQ(stored("Normal_node"), "65280");
    EXPECT_EQ(backGroundColor.Get(), 0xFFFFFFFFu); // untouched
}

TEST_F(ColorDialogTest, SwatchPaintsItsColoursRgbAndACancelledPickerChangesNothing)
{
    lineNormalColor = 0x00123456; // alpha 0 in the setting still paints the colour
    ColorDialog dlg(&colorDialogIds, colorDesc);
    dlg.Create(colorDialogIds.dialogId);
    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        CDC dc(&img);
        dlg.GetSwatch(1)->OnEraseBkgnd(&dc);
    }
    EXPECT_EQ(img.pixelColor(10, 5), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(img.pixelColor(20, 5), QColor(Qt::black)); // twenty by ten
    setColorPickerHandler([](QWidget*, COLORREF, COLORREF&) { return false; });
    doubleClick(dlg.GetSwatch(1));
    click(dlg, 1031);
    EXPECT_EQ(lineNormalColor.Get(), 0x00123456u);
    EXPECT_TRUE(dlg.dialog()->isVisible());
}

} // namespace
