// Controls: the user's actions notify the dialog, the program's do not; combo
// box lists, sliders, edit fields and buttons.
#include "CComboBox.h"
#include "CDialog.h"
#include "NQLineEdit.h"
#include "NQSlider.h"
#include "TestWndSupport.h"
#include <QComboBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <vector>

namespace {

// A dialog that records every control notification and scroll message.
class NoteDialog : public CDialog {
    Q_DECLARE_MESSAGE_MAP(NoteDialog)
public:
    std::vector<std::pair<UINT, UINT>> notes; // sub-code, id
    std::vector<std::pair<UINT, UINT>> vscroll; // code, position
    QVBoxLayout* layout = nullptr;

    void QCreate() override { layout = new QVBoxLayout(dialog()); }
    void OnSel(UINT id) { notes.emplace_back(scSelChange, id); }
    void OnEdit(UINT id) { notes.emplace_back(scEditChange, id); }
    void OnVScroll(UINT code, UINT pos, CScrollBar*) override { vscroll.emplace_back(code, pos); }
};

Q_BEGIN_MESSAGE_MAP(NoteDialog, CDialog)
Q_ON_NOTIFY_RANGE(scSelChange, 1000, 1999, OnSel)
Q_ON_NOTIFY_RANGE(scEditChange, 1000, 1999, OnEdit)
Q_ON_VSCROLL(OnVScroll)
Q_END_MESSAGE_MAP()

std::unique_ptr<NoteDialog> shownDialog()
{
    auto d = std::make_unique<NoteDialog>();
    EXPECT_TRUE(d->Create(0, nullptr));
    EXPECT_TRUE(waitExposed(d->GetWidget()));
    return d;
}

using Notes = std::vector<std::pair<UINT, UINT>>;

} // namespace

TEST(Controls, ComboChoiceOfTheUserNotifiesTheTopWindowAndTheProgramsDoesNot)
{
    auto d = shownDialog();
    CWnd inner;
    inner.Create(nullptr, "inner", 0x2, CRect(0, 0, 200, 50), d.get(), 0);
    CComboBox combo;
    combo.Create(0x2, CRect(0, 0, 150, 24), &inner, 1100);
    for (const char* s : { "alpha", "beta", "gamma" })
        combo.AddString(s);
    EXPECT_EQ(combo.SetCurSel(0), 0);
    EXPECT_EQ(combo.SelectString(-1, "beta"), 1);
    EXPECT_TRUE(d->notes.empty());
    keyClick(combo.GetWidget(), Qt::Key_Down);
    EXPECT_EQ(combo.GetCurSel(), 2);
    emit combo.combo()->activated(2); // choosing the entry already shown still notifies
    EXPECT_EQ(d->notes, (Notes { { scSelChange, 1100 }, { scSelChange, 1100 } }));
}

TEST(Controls, ComboSortsByCharacterCodeAndLooksUpExactly)
{
    auto d = shownDialog();
    CComboBox combo;
    combo.Create(d.get(), 1037, d->layout);
    combo.SetSort(TRUE);
    for (const char* s : { "b", "%d: %lx", "B", "a", "(%d)" })
        EXPECT_EQ(combo.AddString(s), 1);
    CString s;
    std::vector<std::string> order;
    for (int i = 0; i < combo.GetCount(); ++i) {
        combo.GetLBText(i, s);
        order.push_back(static_cast<const char*>(s));
    }
    EXPECT_EQ(order, (std::vector<std::string> { "%d: %lx", "(%d)", "B", "a", "b" }));
    EXPECT_EQ(combo.FindStringExact(0, "B"), 2);
    EXPECT_EQ(combo.SelectString(-1, "A"), -1); // letter case matters
    EXPECT_EQ(combo.SetCurSel(5), -1);
    EXPECT_EQ(combo.SetItemData(1, 0xDEADBEEF), 1);
    EXPECT_EQ(combo.GetItemData(1), 0xDEADBEEFu);
    EXPECT_EQ(combo.GetItemData(0), 0u);
    EXPECT_EQ(combo.SetItemHeight(-1, 31), 0);
    EXPECT_EQ(combo.GetWidget()->height(), 31);
}

TEST(Controls, SliderAndEditNotifyOnlyWhatTheUserDoes)
{
    auto d = shownDialog();
    NQSlider slider(d.get(), 1015, d->layout, Qt::Vertical, 0, 65);
    slider.SetRange(0, 100);
    slider.SetPos(30);
    slider.SetRange(0, 20); // clamps the position: still silent
    EXPECT_EQ(slider.GetPos(), 20);
    slider.SetPos(5);
    EXPECT_TRUE(d->vscroll.empty());
    keyClick(slider.GetWidget(), Qt::Key_Up); // one step toward the maximum
    keyClick(slider.GetWidget(), Qt::Key_End);
    EXPECT_EQ(d->vscroll, (Notes { { 8, 6 }, { 8, 20 } }));

    NQLineEdit gain(d.get(), 1017, d->layout, 0, 100);
    gain.SetWindowText("-3.5 dB");
    typeText(gain.edit(), "7");
    gain.SetWindowText("0.0 dB");
    NQLineEdit anonymous(d.get(), 0, d->layout); // without an id: nothing
    typeText(anonymous.edit(), "12");
    EXPECT_EQ(d->notes, (Notes { { scEditChange, 1017 } }));
}
