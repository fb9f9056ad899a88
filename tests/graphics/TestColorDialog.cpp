// The colour dialog: its swatches, storing at once, Cancel restoring,
// "Defaults" storing alpha-cleared defaults, and closing without Cancel.

#include "ColorDialog.h"
#include "ColorPicker.h"
#include "ColorWind.h"
#include "NQLabel.h"
#include "ProfileStore.h"
#include "RoleColors.h"
#include "TestEnv.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QSettings>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ColorDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        store = std::make_unique<QSettings>(
            QString::fromStdString(TestEnv::freshDir("colordlg") + "/s.ini"), QSettings::IniFormat);
        SetProfileStore(store.get());
        // Every colour starts from a known stored value, not from another test.
        for (const ColorWindDesc* r = colorDesc; r->id; ++r)
            *r->color = 0xFF101010 + r->id;
        previousPicker = setColorPickerHandler([this](QWidget*, COLORREF, COLORREF& chosen) {
            chosen = pick;
            return true;
        });
    }
    void TearDown() override
    {
        setColorPickerHandler(std::move(previousPicker));
        SetProfileStore(nullptr);
    }
    QString stored(const char* entry)
    {
        return store->value(QString("/Nerilune/") + entry).toString();
    }
    void doubleClick(CWnd* w) { w->UpdateMap(1, 0, msgLButtonDblClk); }
    void click(ColorDialog& d, UINT id) { d.UpdateMap(0, 0, msgCommand, scClicked, id); }

    std::unique_ptr<QSettings> store;
    ColorPickerHandler previousPicker;
    COLORREF pick = 0xFF123456;
};

TEST_F(ColorDialogTest, ShowsTheSixEditableColoursInTableOrderButNotBackground)
{
    ColorDialog dlg(&colorDialogIds, colorDesc);
    dlg.Create(colorDialogIds.dialogId);
    ASSERT_EQ(dlg.GetRowCount(), 6);
    const char* names[] = { "Normal_node", "Normal_line", "Selected_node", "Selected_line",
        "Destination_node", "Disabled" };
    const UINT ids[] = { 1025, 1028, 1026, 1029, 1027, 1037 };
    for (int i = 0; i < 6; ++i) {
        ASSERT_NE(dlg.GetSwatch(i), nullptr);
        EXPECT_STREQ(dlg.GetSwatch(i)->GetColor()->GetEntry(), names[i]);
        EXPECT_EQ(dlg.GetDlgItem(ids[i]), dlg.GetSwatch(i));
        EXPECT_NE(dlg.GetSwatch(i)->GetColor(), &backGroundColor);
    }
    EXPECT_EQ(dlg.GetSwatch(6), nullptr);
    QStringList texts;
    for (QLabel* l : dlg.GetWidget()->findChildren<QLabel*>())
        texts << l->text();
    EXPECT_TRUE(texts.contains("Selected_line"));
    EXPECT_FALSE(texts.contains("Background"));
    CString title;
    dlg.GetWindowText(title);
    EXPECT_STREQ(title, "Colors");
    // Even rows in the left column, odd rows in the right.
    QWidget* s0 = dlg.GetSwatch(0)->GetWidget();
    QWidget* s1 = dlg.GetSwatch(1)->GetWidget();
    QWidget* s2 = dlg.GetSwatch(2)->GetWidget();
    dlg.GetWidget()->adjustSize();
    EXPECT_LT(s0->mapTo(dlg.GetWidget(), QPoint()).x(), s1->mapTo(dlg.GetWidget(), QPoint()).x());
    EXPECT_EQ(s0->mapTo(dlg.GetWidget(), QPoint()).x(), s2->mapTo(dlg.GetWidget(), QPoint()).x());
}

TEST_F(ColorDialogTest, ChoiceIsStoredAtOnceAndCancelRestoresIt)
{
    ColorDialog dlg(&colorDialogIds, colorDesc);
    dlg.Create(colorDialogIds.dialogId);
    doubleClick(dlg.GetSwatch(2)); // "Selected_node"
    EXPECT_EQ(selectColor.Get(), 0xFF123456u);
    EXPECT_EQ(stored("Selected_node"), "-15584170");

    dlg.OnCancel();
    EXPECT_EQ(selectColor.Get(), 0xFF101010u + 1026);
    EXPECT_EQ(stored("Selected_node"), QString::number(int(0xFF101010u + 1026)));
    EXPECT_EQ(dlg.dialog()->result(), int(IDCANCEL));
}

TEST_F(ColorDialogTest, CancelButtonInTheModalRunRestoresTheOpeningColours)
{
    ColorDialog dlg(&colorDialogIds, colorDesc);
    QTimer::singleShot(0, [&] {
        doubleClick(dlg.GetSwatch(5)); // "Disabled"
        click(dlg, colorDialogIds.defaultsId);
        click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), int(IDCANCEL));
    for (const ColorWindDesc* r = colorDesc; r->id; ++r)
        EXPECT_EQ(r->color->Get(), 0xFF101010u + r->id) << r->id;
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
    EXPECT_EQ(stored("Selected_line"), QString::number(0xFF0000));
    EXPECT_EQ(stored("Destination_node"), QString::number(0x4040FF));
    EXPECT_EQ(stored("Disabled"), QString::number(0xDCDCDC));
    EXPECT_EQ(backGroundColor.Get(), 0xFFFFFFFFu); // untouched
}

TEST_F(ColorDialogTest, EscapeEndsWithCancelButKeepsTheChosenColours)
{
    ColorDialog dlg(&colorDialogIds, colorDesc);
    QTimer::singleShot(0, [&] {
        doubleClick(dlg.GetSwatch(0));
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(dlg.GetWidget(), &esc);
    });
    EXPECT_EQ(dlg.DoModal(), int(IDCANCEL));
    EXPECT_EQ(normalColor.Get(), 0xFF123456u);
}

TEST_F(ColorDialogTest, CancelledPickerAndUnknownIdsChangeNothing)
{
    ColorDialog dlg(&colorDialogIds, colorDesc);
    dlg.Create(colorDialogIds.dialogId);
    setColorPickerHandler([](QWidget*, COLORREF, COLORREF&) { return false; });
    doubleClick(dlg.GetSwatch(1));
    click(dlg, 1031);
    EXPECT_EQ(lineNormalColor.Get(), 0xFF101010u + 1028);
    EXPECT_TRUE(dlg.dialog()->isVisible());
}

TEST_F(ColorDialogTest, RowsStopAtTheEndRow)
{
    NVColor a("Test_a", 0xFF010203), b("Test_b", 0xFF040506);
    const ColorWindDesc table[]
        = { { 1100, &a, 0 }, { 1101, &b, 0 }, { 0, nullptr, 0 }, { 1102, &a, 0 } };
    ColorDialog dlg(&colorDialogIds, table);
    dlg.Create(colorDialogIds.dialogId);
    EXPECT_EQ(dlg.GetRowCount(), 2);
    dlg.OnReset();
    EXPECT_EQ(a.Get(), 0x010203u);
    EXPECT_EQ(b.Get(), 0x040506u);
}

} // namespace
