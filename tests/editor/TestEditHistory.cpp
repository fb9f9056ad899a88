// Undo and redo against the simulated device: edits of every kind, undone to
// the start and redone to the end, through the keys and the menu commands.
#include "EditorFixture.h"

#include "CFileDialog.h"
#include "CMenu.h"
#include "GroupID.h"
#include "NQButton.h"
#include "NQPopupMenu.h"
#include "NQSlider.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QSlider>

#include <cmath>
#include <cstdio>
#include <random>

using namespace editortest;

namespace {

class EditHistoryTest : public EditorTest {
protected:
    // An item of the window's menu as it shows when opened.
    QAction* item(UINT id) const
    {
        CMenu* menu = dlg->GetSystemMenu(FALSE);
        emit menu->popup()->menu()->aboutToShow();
        return menu->FindItem(id, 0);
    }
    // Every set message must change what the device holds.
    void watchSends()
    {
        device->SetLog([this](bool incoming, const SimBytes& b, const std::string&) {
            if (!incoming || b.size() < 6 || b[0] != 0xF0)
                return;
            const std::string text(b.begin() + 5, b.end() - 1);
            long key = 0;
            double v = 0;
            if (std::sscanf(text.c_str(), "%lx %lf", &key, &v) != 2)
                return;
            ++sends;
            if (b[4] == 60) {
                EXPECT_NE(device->Value(key).value_or(-1), static_cast<int>(v)) << text;
            } else if (b[4] == 45) {
                EXPECT_GT(std::fabs(device->GainOf(key).value_or(999) - v), 0.05) << text;
            }
        });
    }
    int sends = 0;
};

} // namespace

TEST_F(EditHistoryTest, UndoToTheStartAndRedoToTheEndPutTheDeviceBackExactly)
{
    openWithDevice(0, 0);
    ASSERT_GE(drain(), 0);
    EXPECT_FALSE(item(CRoutingDlg::idUndo)->isEnabled());
    EXPECT_FALSE(item(CRoutingDlg::idRedo)->isEnabled());
    std::vector<std::string> states { device->Dump() };
    auto edited = [&] {
        ASSERT_GE(drain(), 0);
        EXPECT_NE(device->Dump(), states.back()) << "edit " << states.size();
        states.push_back(device->Dump());
    };
    drag(node(ADATin, 2), node(MAINinL, 5));
    edited();
    drag(node(AESin, 0), node(MAINinL, 0), Qt::ControlModifier);
    edited();
    dlg->userPresets.SetWindowText("mid");
    clickWidget(dlg->saveButton->GetWidget());
    click(node(MAINinL, 5));
    key(Qt::Key_Delete);
    edited();
    for (int option : { 0, 1 }) {
        clickWidget(dlg->optionButtons.Item(option)->GetWidget());
        edited();
    }
    click(node(MAINinR, 0));
    typeGain("-6");
    typeGain("-12.5"); // one gesture of the box
    edited();
    click(node(MAINinR, 1));
    auto* slider = qobject_cast<QSlider*>(dlg->gainSlider->GetWidget());
    slider->setValue(20);
    slider->setValue(30); // one drag
    edited();
    const QPoint p = centre(node(MAINinR, 2));
    press(p, Qt::NoModifier, Qt::RightButton);
    for (int y = 1; y <= 3; ++y)
        move(p + QPoint(0, y), Qt::RightButton);
    release(p + QPoint(0, 3), Qt::NoModifier, Qt::RightButton);
    edited();
    pick(dlg->userPresets, dlg->userPresets.FindStringExact(-1, "mid"));
    edited();
    drag(node(ADATin, 6), node(MAINinL, 7));
    edited();
    EXPECT_TRUE(item(CRoutingDlg::idUndo)->isEnabled());

    watchSends();
    for (size_t k = states.size() - 1; k > 0; --k) {
        if (k % 2)
            key(Qt::Key_Z, Qt::ControlModifier);
        else
            item(CRoutingDlg::idUndo)->trigger();
        ASSERT_GE(drain(), 0);
        EXPECT_EQ(device->Dump(), states[k - 1]) << "undo to " << k - 1;
    }
    EXPECT_TRUE(differences().empty());
    EXPECT_FALSE(item(CRoutingDlg::idUndo)->isEnabled());
    const int undoSends = sends;
    key(Qt::Key_Z, Qt::ControlModifier); // nothing left to undo
    ASSERT_GE(drain(), 0);
    EXPECT_EQ(sends, undoSends);

    for (size_t k = 1; k < states.size(); ++k) {
        if (k % 3 == 0)
            key(Qt::Key_Y, Qt::ControlModifier);
        else if (k % 3 == 1)
            key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        else
            item(CRoutingDlg::idRedo)->trigger();
        ASSERT_GE(drain(), 0);
        EXPECT_EQ(device->Dump(), states[k]) << "redo to " << k;
    }
    EXPECT_TRUE(differences().empty());
    EXPECT_FALSE(item(CRoutingDlg::idRedo)->isEnabled());
    EXPECT_GT(sends, undoSends);

    // A new page starts without history.
    item(main_table[0].menuId)->trigger();
    EXPECT_FALSE(item(CRoutingDlg::idUndo)->isEnabled());
}

TEST_F(EditHistoryTest, PatchSheetTableAndPictureShowThePageTheDeviceHolds)
{
    openWithDevice(0, 0);
    std::mt19937 rng(7);
    randomizeDevice(rng);
    ASSERT_GE(drain(), 0);
    const QString base = QString::fromStdString(dir) + "/sheet";
    auto previous = setFileDialogHandler([&](const FileDialogRequest&, QStringList& chosen) {
        chosen = QStringList { base + ".png" };
        return static_cast<int>(IDOK);
    });
    item(CRoutingDlg::idExportSheet)->trigger();
    setFileDialogHandler(previous);

    std::vector<std::string> want { "group,destination,source,gain_dB" };
    for (POSITION pos = dlg->activeNodes.GetHeadPosition(); pos;) {
        IODesc* n = dlg->activeNodes.Next(pos);
        if (!n->IsActiveInput() || n->disabled)
            continue;
        const IODesc* src = n->ConnectionFromIndex(device->Value(n->key).value_or(-1));
        char gain[32] = "";
        if (n->gainKey)
            std::snprintf(gain, sizeof gain, "%.1f", device->GainOf(n->gainKey).value_or(999));
        want.push_back(std::string(groupName(n->Group())) + ","
            + static_cast<const char*>(n->GetText()) + ","
            + (src ? std::string(static_cast<const char*>(src->GetText())) : std::string()) + ","
            + gain);
    }
    for (const char* option : { "SPDIFcin", "ANAin" })
        want.push_back(std::string("option,") + option + ","
            + (device->Value(option[0] == 'S' ? 0x1001005d : 0x1001082d) == 1 ? "on" : "off")
            + ",");
    QFile csv(base + ".csv");
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(csv.readAll()).split("\r\n", Qt::SkipEmptyParts);
    std::vector<std::string> got;
    for (const QString& r : rows)
        got.push_back(r.toStdString());
    EXPECT_EQ(got, want);
    const QImage shot(base + ".png");
    const CRect page = dlg->picture.GetDisplayRect();
    EXPECT_EQ(shot.size(), QSize(page.Width(), page.Height()));
}
