// Controls: notifications the user's actions raise (and the program's do not),
// combo box lists, sliders, edit fields, buttons, progress bars, scroll mapping.
#include "CButton.h"
#include "CComboBox.h"
#include "CDialog.h"
#include "CProgressCtrl.h"
#include "CScrollBar.h"
#include "DoScroll.h"
#include "NQLineEdit.h"
#include "NQSlider.h"
#include "TestWndSupport.h"
#include <QComboBox>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <vector>

namespace {

struct Note {
    UINT sub;
    UINT id;
};

// A dialog that records every control notification and scroll message.
class NoteDialog : public CDialog {
    Q_DECLARE_MESSAGE_MAP(NoteDialog)
public:
    std::vector<Note> notes;
    std::vector<std::pair<UINT, UINT>> vscroll, hscroll;
    std::vector<CScrollBar*> scrollSenders;
    QVBoxLayout* layout = nullptr;

    void QCreate() override { layout = new QVBoxLayout(dialog()); }
    void OnSel(UINT id) { notes.push_back({ scSelChange, id }); }
    void OnEdit(UINT id) { notes.push_back({ scEditChange, id }); }
    void OnSetFocusNote(UINT id) { notes.push_back({ scSetFocus, id }); }
    void OnKillFocusNote(UINT id) { notes.push_back({ scKillFocus, id }); }
    void OnClick(UINT id) { notes.push_back({ scClicked, id }); }
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override
    {
        vscroll.emplace_back(code, pos);
        scrollSenders.push_back(bar);
    }
    void OnHScroll(UINT code, UINT pos, CScrollBar*) override { hscroll.emplace_back(code, pos); }

    int count(UINT sub) const
    {
        int n = 0;
        for (const Note& x : notes)
            n += x.sub == sub;
        return n;
    }
};

Q_BEGIN_MESSAGE_MAP(NoteDialog, CDialog)
Q_ON_NOTIFY_RANGE(scSelChange, 1000, 1999, OnSel)
Q_ON_NOTIFY_RANGE(scEditChange, 1000, 1999, OnEdit)
Q_ON_NOTIFY_RANGE(scSetFocus, 1000, 1999, OnSetFocusNote)
Q_ON_NOTIFY_RANGE(scKillFocus, 1000, 1999, OnKillFocusNote)
Q_ON_NOTIFY_RANGE(scClicked, 1000, 1999, OnClick)
Q_ON_VSCROLL(OnVScroll)
Q_ON_HSCROLL(OnHScroll)
Q_END_MESSAGE_MAP()

std::unique_ptr<NoteDialog> shownDialog()
{
    auto d = std::make_unique<NoteDialog>();
    EXPECT_TRUE(d->Create(0, nullptr));
    EXPECT_TRUE(waitExposed(d->GetWidget()));
    return d;
}

} // namespace

TEST(ControlsCombo, UserChoiceNotifiesProgramChoiceDoesNot)
{
    auto d = shownDialog();
    CComboBox combo;
    combo.Create(d.get(), 1002, d->layout, 120);
    for (const char* s : { "alpha", "beta", "gamma" })
        combo.AddString(s);
    EXPECT_EQ(combo.GetWidget()->minimumWidth(), 120);
    EXPECT_EQ(combo.SetCurSel(0), 0);
    EXPECT_EQ(combo.SelectString(-1, "beta"), 1);
    EXPECT_EQ(d->count(scSelChange), 0);

    keyClick(combo.GetWidget(), Qt::Key_Down);
    ASSERT_EQ(d->count(scSelChange), 1);
    EXPECT_EQ(d->notes.back().id, 1002u);
    EXPECT_EQ(combo.GetCurSel(), 2);

    // Choosing the entry already shown still notifies.
    emit combo.combo()->activated(2);
    EXPECT_EQ(d->count(scSelChange), 2);
}

TEST(ControlsCombo, NotifiesTheTopMostWindowOfItsParentChain)
{
    auto d = shownDialog();
    CWnd inner;
    inner.Create(nullptr, "inner", 0x2, CRect(0, 0, 200, 50), d.get(), 0);
    CComboBox combo;
    combo.Create(0x2, CRect(0, 0, 150, 24), &inner, 1100);
    combo.AddString("one");
    combo.AddString("two");
    combo.SetCurSel(0);
    keyClick(combo.GetWidget(), Qt::Key_Down);
    ASSERT_EQ(d->count(scSelChange), 1);
    EXPECT_EQ(d->notes.back().id, 1100u);
}

TEST(ControlsCombo, SortedAddStringReturnsOneAndKeepsCharacterOrder)
{
    auto d = shownDialog();
    CComboBox combo;
    combo.Create(d.get(), 1037, d->layout);
    combo.SetSort(TRUE);
    const char* forms[] = { "%2.1f dB", "%d: %lx", "%s [K=%lx] Index: %d",
        "(%d)%s [%lx] Source: %d", "(%d,%d,%d,%d)", "Source: %s Index: %d" };
    for (const char* f : { "Source: %s Index: %d", "(%d,%d,%d,%d)", "%d: %lx",
             "(%d)%s [%lx] Source: %d", "%s [K=%lx] Index: %d", "%2.1f dB" })
        EXPECT_EQ(combo.AddString(f), 1);
    ASSERT_EQ(combo.GetCount(), 6);
    CString s;
    for (int i = 0; i < 6; ++i) {
        combo.GetLBText(i, s);
        EXPECT_EQ(s, CString(forms[i])) << i;
    }
    // Upper case sorts before lower case; an unsorted box appends.
    combo.ResetContent();
    combo.AddString("b");
    combo.AddString("B");
    combo.AddString("a");
    combo.GetLBText(0, s);
    EXPECT_EQ(s, CString("B"));
    combo.SetSort(FALSE);
    combo.AddString("A");
    combo.GetLBText(3, s);
    EXPECT_EQ(s, CString("A"));
}

TEST(ControlsCombo, LookupsSelectionsAndItemData)
{
    auto d = shownDialog();
    CComboBox combo;
    combo.Create(d.get(), 1018, d->layout);
    combo.AddString("Preset");
    combo.AddString("Other");
    EXPECT_EQ(combo.FindStringExact(0, "Other"), 1);
    EXPECT_EQ(combo.FindStringExact(5, "Preset"), 0); // start is not used
    EXPECT_EQ(combo.SelectString(-1, "preset"), -1); // letter case matters
    EXPECT_EQ(combo.SelectString(-1, "Othe"), -1);
    EXPECT_EQ(combo.SetCurSel(2), -1);
    EXPECT_EQ(combo.SetCurSel(-5), -1);
    EXPECT_EQ(combo.SetCurSel(1), 1);
    CString text;
    combo.GetWindowText(text);
    EXPECT_EQ(text, CString("Other"));
    EXPECT_EQ(combo.SetCurSel(-1), -1);
    EXPECT_EQ(combo.GetCurSel(), -1);

    EXPECT_EQ(combo.GetItemData(0), 0u);
    EXPECT_EQ(combo.SetItemData(1, 0xDEADBEEF), 1);
    EXPECT_EQ(combo.GetItemData(1), 0xDEADBEEFu);
    int x = 0;
    combo.SetItemDataPtr(0, &x);
    EXPECT_EQ(combo.GetItemDataPtr(0), &x);
    EXPECT_EQ(combo.SetItemData(7, 1), -1);

    EXPECT_EQ(combo.SetItemHeight(-1, 31), 0);
    EXPECT_EQ(combo.GetWidget()->height(), 31);
    EXPECT_EQ(combo.SetItemHeight(0, 50), 0);
    EXPECT_EQ(combo.SetItemHeight(3, 50), -1);
    EXPECT_EQ(combo.GetWidget()->height(), 31);
}

TEST(ControlsSlider, UserMovesSendScrollMessagesProgramMovesDoNot)
{
    auto d = shownDialog();
    NQSlider slider(d.get(), 1015, d->layout, Qt::Vertical, 0, 65);
    EXPECT_EQ(slider.GetWidget()->maximumHeight(), 65);
    EXPECT_TRUE(slider.slider()->invertedAppearance());
    slider.SetRange(0, 100);
    slider.SetPos(30);
    slider.SetRange(0, 20); // clamps the position: still silent
    EXPECT_TRUE(d->vscroll.empty());
    EXPECT_EQ(slider.GetPos(), 20);

    slider.SetPos(5);
    keyClick(slider.GetWidget(), Qt::Key_Up); // one step toward the maximum
    ASSERT_EQ(d->vscroll.size(), 1u);
    EXPECT_EQ(d->vscroll[0].first, 8u);
    EXPECT_EQ(d->vscroll[0].second, UINT(slider.GetPos()));
    EXPECT_EQ(reinterpret_cast<CWnd*>(d->scrollSenders[0]), static_cast<CWnd*>(&slider));
    keyClick(slider.GetWidget(), Qt::Key_End);
    ASSERT_EQ(d->vscroll.size(), 2u);
    EXPECT_EQ(d->vscroll[1].second, 20u);
    EXPECT_TRUE(d->hscroll.empty());

    NQSlider across(d.get(), 1016, d->layout, Qt::Horizontal);
    across.SetRange(0, 10);
    keyClick(across.GetWidget(), Qt::Key_End);
    ASSERT_EQ(d->hscroll.size(), 1u);
    EXPECT_EQ(d->hscroll[0], std::make_pair(8u, 10u));
}

TEST(ControlsEdit, UserTypingNotifiesProgramTextDoesNot)
{
    auto d = shownDialog();
    NQLineEdit gain(d.get(), 1016, d->layout, 0, 100);
    QPlainTextEdit* e = gain.edit();
    EXPECT_EQ(e->maximumWidth(), 100);
    EXPECT_EQ(e->maximumHeight(), int(1.8 * QFontMetrics(e->font()).lineSpacing()));

    gain.SetWindowText("-3.5 dB");
    EXPECT_EQ(d->count(scEditChange), 0);
    typeText(e, "7");
    EXPECT_EQ(d->count(scEditChange), 1);
    EXPECT_FALSE(e->document()->isModified());
    CString text;
    gain.GetWindowText(text);
    EXPECT_EQ(text.GetLength(), 8);

    gain.SetWindowText("0.0 dB");
    EXPECT_EQ(d->count(scEditChange), 1);

    // Without an id the field notifies nothing.
    NQLineEdit anonymous(d.get(), 0, d->layout);
    typeText(anonymous.edit(), "12");
    EXPECT_EQ(d->count(scEditChange), 1);
}

TEST(ControlsEdit, FocusChangesNotify)
{
    auto d = shownDialog();
    NQLineEdit first(d.get(), 1020, d->layout);
    NQLineEdit second(d.get(), 1021, d->layout);
    d->GetWidget()->activateWindow();
    ASSERT_TRUE(waitUntil([&] { return d->GetWidget()->isActiveWindow(); }));
    first.SetFocus();
    ASSERT_TRUE(waitUntil([&] { return d->count(scSetFocus) >= 1; }));
    second.SetFocus();
    ASSERT_TRUE(waitUntil([&] { return d->count(scKillFocus) >= 1; }));
    bool sawKillFirst = false, sawSetSecond = false;
    for (const Note& n : d->notes) {
        sawKillFirst |= n.sub == scKillFocus && n.id == 1020;
        sawSetSecond |= n.sub == scSetFocus && n.id == 1021;
    }
    EXPECT_TRUE(sawKillFirst);
    EXPECT_TRUE(sawSetSecond);
}

TEST(ControlsEdit, SelectionAndUndo)
{
    auto d = shownDialog();
    CEdit e;
    e.Create(d.get(), 1022, d->layout);
    e.SetWindowText("hello world");
    e.SetSel(6, -1);
    int s = 0, t = 0;
    e.GetSel(s, t);
    EXPECT_EQ(s, 6);
    EXPECT_EQ(t, 11);
    EXPECT_FALSE(e.CanUndo());
    typeText(e.edit(), "X");
    EXPECT_TRUE(e.CanUndo());
    CString text;
    e.GetWindowText(text);
    EXPECT_EQ(text, CString("hello X"));
    EXPECT_TRUE(e.Undo());
    e.GetWindowText(text);
    EXPECT_EQ(text, CString("hello world"));
}

TEST(ControlsButton, CreateRegistersShowsAndNotifiesClicks)
{
    auto d = shownDialog();
    CButton b;
    EXPECT_EQ(b.Create("off", 3, CRect(10, 10, 60, 30), d.get(), 1120), 0);
    EXPECT_EQ(d->GetDlgItem(1120), &b);
    EXPECT_TRUE(b.IsWindowVisible());
    EXPECT_EQ(b.GetWidget()->geometry(), QRect(10, 10, 50, 20));
    CString text;
    b.GetWindowText(text);
    EXPECT_EQ(text, CString("off"));
    b.button()->click();
    ASSERT_EQ(d->count(scClicked), 1);
    EXPECT_EQ(d->notes.back().id, 1120u);

    b.SetCheck(1);
    EXPECT_EQ(b.GetCheck(), 1);
    b.SetCheck(0);
    EXPECT_EQ(b.GetCheck(), 0);

    CButton hidden;
    EXPECT_EQ(hidden.Create("h", 0, CRect(0, 0, 10, 10), d.get(), 0), 0);
    EXPECT_FALSE(hidden.IsWindowVisible());
    hidden.button()->click(); // id 0: nothing is sent
    EXPECT_EQ(d->count(scClicked), 1);
}

TEST(ControlsProgress, PositionsAndRange)
{
    auto d = shownDialog();
    CProgressCtrl p;
    ASSERT_TRUE(p.Create(0x2, CRect(0, 0, 100, 10), d.get(), 1300));
    QWidget* first = p.GetWidget();
    ASSERT_TRUE(p.Create(0x2, CRect(0, 0, 50, 10), d.get(), 1300));
    EXPECT_EQ(p.GetWidget(), first);
    p.SetRange32(10, 50);
    int lo = 0, hi = 0;
    p.GetRange(lo, hi);
    EXPECT_EQ(lo, 10);
    EXPECT_EQ(hi, 50);
    EXPECT_EQ(p.SetPos(20), 10);
    EXPECT_EQ(p.SetPos(30), 20);
    EXPECT_EQ(p.GetPos(), 30);
}

TEST(ControlsScroll, DoScrollStepsMapsAndClamps)
{
    EXPECT_DOUBLE_EQ(DoScroll(2, 0, 5.0, 0, 10, 3, 1, 0, 100), 4.0);
    EXPECT_DOUBLE_EQ(DoScroll(3, 0, 5.0, 0, 10, 3, 1, 0, 100), 6.0);
    EXPECT_DOUBLE_EQ(DoScroll(4, 0, 5.0, 0, 10, 3, 1, 0, 100), 2.0);
    EXPECT_DOUBLE_EQ(DoScroll(5, 0, 9.0, 0, 10, 3, 1, 0, 100), 10.0);
    EXPECT_DOUBLE_EQ(DoScroll(6, 0, 9.0, -5, 10, 3, 1, 0, 100), 0.0);
    EXPECT_DOUBLE_EQ(DoScroll(6, 0, 9.0, 2, 10, 3, 1, 0, 100), 2.0);
    EXPECT_DOUBLE_EQ(DoScroll(8, 25, 0.0, -100, 0, 3, 1, 0, 100), -75.0);
    EXPECT_DOUBLE_EQ(DoScroll(8, 150, 0.0, -100, 0, 3, 1, 0, 100), 0.0);
    EXPECT_DOUBLE_EQ(DoScroll(7, 50, 42.0, 0, 100, 3, 1, 0, 100), 42.0);
    // An empty position range keeps the value instead of dividing by zero.
    EXPECT_DOUBLE_EQ(DoScroll(8, 5, 3.0, 0, 10, 3, 1, 7, 7), 3.0);

    auto d = shownDialog();
    CScrollBar bar;
    bar.Create(0x3, CRect(0, 0, 15, 100), d.get(), 1400);
    bar.SetScrollRange(0, 200);
    EXPECT_DOUBLE_EQ(DoScroll(8, 50, 0.0, 0, 10, 1, 1, &bar), 2.5);
    EXPECT_EQ(bar.SetScrollPos(40), 0);
    EXPECT_EQ(bar.GetScrollPos(), 40);
}
