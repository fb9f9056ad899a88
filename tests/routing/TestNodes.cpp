// Nodes: construction, legal connections, values, gains, group membership,
// the exchange of group members and repaint bookkeeping.
#include "IODescList.h"
#include "RepaintHook.h"
#include "RoutingPage.h"

#include "CFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<IODesc*> members(const CObList& l)
{
    std::vector<IODesc*> v;
    for (POSITION pos = l.GetHeadPosition(); pos;)
        v.push_back(static_cast<IODesc*>(l.GetNext(pos)));
    return v;
}

std::vector<CRect> repainted;
void recordRepaint(CWnd*, const CRect& r, bool erase)
{
    EXPECT_TRUE(erase);
    repainted.push_back(r);
}

struct RepaintRecorder {
    RepaintHandler previous = SetRepaintHandler(recordRepaint);
    RepaintRecorder() { repainted.clear(); }
    ~RepaintRecorder() { SetRepaintHandler(previous); }
};

CWnd* const someWindow = reinterpret_cast<CWnd*>(0x1000);

} // namespace

TEST(Nodes, ConstructionTakesKeysAndDefaults)
{
    const io_entry* la = &io_table72[10];
    IODesc n(6, la, CRect(1, 2, 11, 12), nullptr, 2);
    EXPECT_EQ(n.key, 0x100100c5);
    EXPECT_EQ(n.gainKey, 0);
    EXPECT_EQ(n.rect, CRect(1, 2, 11, 12));
    EXPECT_EQ(n.baseRect, n.rect);
    EXPECT_EQ(n.value, 99);
    EXPECT_EQ(n.lastValue, 101);
    EXPECT_EQ(n.source, nullptr);
    EXPECT_DOUBLE_EQ(n.gain, 0.0);
    EXPECT_DOUBLE_EQ(n.gainStep, 0.1);
    EXPECT_DOUBLE_EQ(n.gainMin, -100.0);
    EXPECT_DOUBLE_EQ(n.gainMax, 0.0);
    EXPECT_FALSE(n.disabled);
    EXPECT_FALSE(n.highlighted);
    EXPECT_STREQ(n.GetText(), "MAINoutLa 6");

    IODesc dsp(5, &io_table72[6], CRect(), nullptr, 1);
    EXPECT_EQ(dsp.key, 0x10010606);
    EXPECT_EQ(dsp.gainKey, 0x10010613);
}

TEST(Nodes, LegalConnections)
{
    RoutingPage page(0);
    IODesc* ana0 = page.node(ANAin, 0);
    IODesc* mainL0 = page.node(MAINinL, 0);
    IODesc* mainL6 = page.node(MAINinL, 6);
    IODesc* adat3 = page.node(ADATin, 3);
    IODesc* aesOut = page.node(AESout, 0);
    IODesc* dspAout = page.node(DSPAout, 2);

    // indexOffset 6: ANAin node 0 feeds only MAINinL node 6.
    EXPECT_FALSE(ana0->Connects(mainL0));
    EXPECT_TRUE(ana0->Connects(mainL6));
    // indexOffset -1: any index.
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(adat3->Connects(page.node(MAINinL, i)));
    // Direction matters for Connects, not for ConnectsTo.
    EXPECT_FALSE(mainL6->Connects(ana0));
    EXPECT_TRUE(mainL6->ConnectsTo(ana0));
    EXPECT_TRUE(ana0->ConnectsTo(mainL6));
    EXPECT_FALSE(ana0->ConnectsTo(nullptr));
    // A group the destination does not list.
    EXPECT_FALSE(dspAout->Connects(mainL0));
    // A fixed node is neither end of a connection and has no sources.
    EXPECT_FALSE(aesOut->IsOutput());
    EXPECT_FALSE(aesOut->IsActiveInput());
    for (auto& n : page.nodes) {
        EXPECT_FALSE(n->Connects(aesOut));
        EXPECT_FALSE(aesOut->Connects(n.get()));
    }
    IODescList list;
    aesOut->GetPossibleSourceList(list);
    EXPECT_EQ(list.GetCount(), 0);
    // Group positions in a destination's list.
    EXPECT_EQ(mainL0->GroupIndex(adat3), 3);
    EXPECT_EQ(mainL0->GroupIndex(ana0), 1);
    EXPECT_EQ(mainL0->GroupIndex(dspAout), -1);
    EXPECT_EQ(mainL0->GroupIndex(nullptr), -1);
    // Connection numbers add the row's offset unless it is -1.
    EXPECT_EQ(ana0->ConNum(), 6);
    EXPECT_EQ(adat3->ConNum(), 3);
    EXPECT_EQ(mainL6->ConNum(), 6);
}

TEST(Nodes, ValuesFollowThePossibleSourceList)
{
    RoutingPage page(0);
    IODesc* mainL0 = page.node(MAINinL, 0);
    IODesc* adat2 = page.node(ADATin, 2);
    EXPECT_EQ(mainL0->IoValue(nullptr), 99);
    EXPECT_EQ(mainL0->ConnectionFromIndex(99), nullptr);
    EXPECT_EQ(mainL0->ConnectionFromIndex(-1), nullptr);
    EXPECT_EQ(mainL0->ConnectionFromIndex(9), nullptr);
    EXPECT_EQ(mainL0->ConnectionFromIndex(0), page.node(AESin, 0));
    EXPECT_EQ(mainL0->ConnectionFromIndex(8), page.node(ADATin, 7));
    EXPECT_EQ(mainL0->IoValue(adat2), 3);
    // Not a legal source of this destination.
    EXPECT_EQ(mainL0->IoValue(page.node(AESin, 1)), 99);

    EXPECT_EQ(mainL0->MakeConnection(adat2), nullptr);
    EXPECT_EQ(mainL0->source, adat2);
    EXPECT_EQ(mainL0->value, 3);
    EXPECT_EQ(mainL0->MakeConnection(nullptr), adat2);
    EXPECT_EQ(mainL0->value, 99);

    mainL0->MakeConnection(adat2);
    mainL0->RemoveSource(page.node(ADATin, 1)); // not its source: nothing
    EXPECT_EQ(mainL0->source, adat2);
    mainL0->RemoveSource(adat2);
    EXPECT_EQ(mainL0->source, nullptr);
    EXPECT_EQ(mainL0->value, 99);

    mainL0->MakeConnection(adat2);
    page.active.ResetInputs();
    EXPECT_EQ(mainL0->source, nullptr);
    EXPECT_EQ(mainL0->value, 3); // the value stays
}

TEST(Nodes, InputChangedSequences)
{
    RoutingPage page(0);
    IODesc* d = page.node(MAINinL, 0);
    int v = -1;
    // The first value is recorded without being reported.
    d->MakeConnection(page.node(ADATin, 0));
    EXPECT_FALSE(d->InputChanged(v));
    EXPECT_EQ(v, 1);
    EXPECT_EQ(d->lastValue, 1);
    // A second change is reported once.
    d->MakeConnection(page.node(ADATin, 4));
    EXPECT_TRUE(d->InputChanged(v));
    EXPECT_EQ(v, 5);
    EXPECT_FALSE(d->InputChanged(v));
    EXPECT_EQ(v, 5);
    // Back and forth between reports counts as no change.
    d->MakeConnection(page.node(ADATin, 0));
    d->MakeConnection(page.node(ADATin, 4));
    EXPECT_FALSE(d->InputChanged(v));
    // Losing the source is a change to 99.
    d->MakeConnection(nullptr);
    EXPECT_TRUE(d->InputChanged(v));
    EXPECT_EQ(v, 99);

    // Never connected: value 99 against 101 is a first report, not a change.
    IODesc* other = page.node(MAINinL, 1);
    EXPECT_FALSE(other->InputChanged(v));
    EXPECT_EQ(v, 99);
    EXPECT_EQ(other->lastValue, 99);
}

TEST(Nodes, SetGainLimitsAndRounds)
{
    IODesc n(0, &io_table72[1], CRect(), nullptr, 1);
    struct Case {
        double in, out;
        int adjustments;
    } cases[] = {
        { 0.5, 0.0, 1 },
        { -150.0, -100.0, 2 }, // limited, then the binary remainder of -100 counts as well
        { -3.25, -3.2, 1 },
        { -12.34, -12.3, 1 },
        { -0.07, -0.1, 1 },
        { -0.05, 0.0, 1 }, // an exact half goes toward zero
        { -0.1, -0.1, 0 },
        { -3.2, -3.2, 0 },
        { -99.96, -100.0, 1 },
        { 1e9, 0.0, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(n.SetGain(c.in), c.adjustments);
        EXPECT_NEAR(n.gain, c.out, 1e-9);
        EXPECT_GE(n.gain, n.gainMin);
        EXPECT_LE(n.gain, n.gainMax);
    }
    // -3.5 is exact in binary but its remainder by 0.1 is not 0: counted as adjusted.
    EXPECT_EQ(n.SetGain(-3.5), 1);
    EXPECT_NEAR(n.gain, -3.5, 1e-9);

    // With a step that binary holds exactly, halves are exact and go toward zero.
    n.gainStep = 0.5;
    n.gainMin = -10.0;
    n.gainMax = 10.0;
    EXPECT_EQ(n.SetGain(-1.25), 1);
    EXPECT_DOUBLE_EQ(n.gain, -1.0);
    EXPECT_EQ(n.SetGain(1.25), 1);
    EXPECT_DOUBLE_EQ(n.gain, 1.0);
    EXPECT_EQ(n.SetGain(-1.3), 1);
    EXPECT_DOUBLE_EQ(n.gain, -1.5);
    EXPECT_EQ(n.SetGain(2.0), 0);
    EXPECT_DOUBLE_EQ(n.gain, 2.0);

    // Rounding at a limit that is no multiple of the step stays inside the range.
    n.gainMin = -9.8;
    EXPECT_EQ(n.SetGain(-20.0), 2);
    EXPECT_GE(n.gain, -9.8);
    n.gainMax = 9.8;
    EXPECT_EQ(n.SetGain(9.9), 2);
    EXPECT_LE(n.gain, 9.8);

    // Text that reads as NaN, and a zero step, never store NaN.
    n.gainMin = -100.0;
    n.gainMax = 0.0;
    n.gainStep = 0.1;
    EXPECT_GE(n.SetGain(std::nan("")), 1);
    EXPECT_DOUBLE_EQ(n.gain, 0.0);
    n.gainStep = 0.0;
    EXPECT_EQ(n.SetGain(-3.33), 0);
    EXPECT_DOUBLE_EQ(n.gain, -3.33);
}

TEST(Nodes, FindSelectAndIndex)
{
    RoutingPage page(0);
    IODesc* adat1 = page.node(ADATin, 1);
    EXPECT_TRUE(page.active.Find(adat1));
    adat1->disabled = 1;
    EXPECT_FALSE(page.active.Find(adat1)); // disabled counts as absent
    EXPECT_FALSE(page.active.Find(nullptr));
    // Off the page: in a side list, not in the active list.
    EXPECT_FALSE(page.active.Find(page.node(SPDIFcin, 0)));
    EXPECT_TRUE(page.sides[0].Find(page.node(SPDIFcin, 0)));

    IODesc* n = page.node(DSPAin, 3);
    EXPECT_EQ(page.active.Select(n->rect.CenterPoint()), n);
    EXPECT_EQ(page.active.Select(n->rect.TopLeft()), n);
    EXPECT_EQ(page.active.Select(CPoint(n->rect.right, n->rect.top)), nullptr); // exclusive edge
    EXPECT_EQ(page.active.Select(CPoint(-5, -5)), nullptr);

    EXPECT_EQ(page.active.GetIndex(page.node(MAINoutR, 0)), 0);
    EXPECT_EQ(page.active[0], page.node(MAINoutR, 0));
    EXPECT_EQ(page.active[page.active.GetCount()], nullptr);
    EXPECT_EQ(page.active.GetIndex(page.node(SPDIFcin, 0)), -1);
}

TEST(Nodes, GroupMembersByMask)
{
    RoutingPage page(0);
    auto chosen = [&](groupID g, int mask) {
        CObList out;
        page.active.GetGroupMembers(g, out, mask);
        std::vector<int> idx;
        for (IODesc* n : members(out))
            idx.push_back(n->index);
        return idx;
    };
    EXPECT_EQ(chosen(AESin, -1), (std::vector<int> { 0, 1, 2, 3, 4, 5, 6, 7 }));
    EXPECT_EQ(chosen(AESin, 3), (std::vector<int> { 0, 1 }));
    EXPECT_EQ(chosen(AESin, 3 << 6), (std::vector<int> { 6, 7 }));
    EXPECT_EQ(chosen(AESin, 0b101), (std::vector<int> { 0, 2 }));
    EXPECT_TRUE(chosen(AESin, 0).empty());
    // More bits than members: those that exist.
    EXPECT_EQ(chosen(ANAout, 0xff), (std::vector<int> { 0, 1 }));
    // A group that is off the page has no members in the active list.
    EXPECT_TRUE(chosen(SPDIFcin, -1).empty());
    // Appends to what out already holds.
    CObList out;
    out.AddTail(page.node(DSPAin, 0));
    page.active.GetGroupMembers(ADATin, out, 1);
    EXPECT_EQ(out.GetCount(), 2);
}

TEST(Nodes, ExchangeNeedsMatchingCounts)
{
    RoutingPage page(0);
    std::vector<IODesc*> before = members(page.active);
    IODesc* spdif0 = page.node(SPDIFcin, 0);
    IODesc* spdif1 = page.node(SPDIFcin, 1);
    IODesc* aes0 = page.node(AESin, 0);
    IODesc* aes1 = page.node(AESin, 1);

    EXPECT_FALSE(page.active.ExchangeListItems(AESin, 1, page.sides[0]));
    EXPECT_FALSE(page.active.ExchangeListItems(AESin, 7, page.sides[0]));
    EXPECT_EQ(members(page.active), before);
    EXPECT_EQ(members(page.sides[0]), (std::vector<IODesc*> { spdif0, spdif1 }));

    ASSERT_TRUE(page.active.ExchangeListItems(AESin, 3, page.sides[0]));
    std::vector<IODesc*> after = members(page.active);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        IODesc* expected = before[i] == aes0 ? spdif0 : before[i] == aes1 ? spdif1 : before[i];
        EXPECT_EQ(after[i], expected) << i;
    }
    EXPECT_EQ(members(page.sides[0]), (std::vector<IODesc*> { aes0, aes1 }));

    // And back: the page is as it was.
    ASSERT_TRUE(page.active.ExchangeListItems(SPDIFcin, -1, page.sides[0]));
    EXPECT_EQ(members(page.active), before);
    EXPECT_EQ(members(page.sides[0]), (std::vector<IODesc*> { spdif0, spdif1 }));
}

TEST(Nodes, ConnectionAndConnectedLists)
{
    RoutingPage page(0);
    IODesc* ana1 = page.node(ANAin, 1);
    IODesc* mainL7 = page.node(MAINinL, 7);
    IODesc* adat0 = page.node(ADATin, 0);
    CObList partners;
    // MAINinL 7 takes AESin 7 and the eight ADATin nodes of the active list.
    EXPECT_EQ(page.active.GetConnectionList(mainL7, partners), 9);
    partners.RemoveAll();
    // ADATin 0 feeds the eight MAINinL and the eight ADATout nodes.
    EXPECT_EQ(page.active.GetConnectionList(adat0, partners), 16);
    partners.RemoveAll();
    // ANAin 1 (off the page) feeds MAINinL 7 only.
    EXPECT_EQ(page.active.GetConnectionList(ana1, partners), 1);
    EXPECT_EQ(partners.GetHead(), mainL7);

    IODescList set;
    set.AddTail(mainL7);
    set.AddTail(adat0);
    partners.RemoveAll();
    EXPECT_EQ(page.active.GetConnectionList(set, partners), 25);
    adat0->disabled = 1; // the set no longer accepts it
    partners.RemoveAll();
    EXPECT_EQ(page.active.GetConnectionList(set, partners), 9);
    adat0->disabled = 0;

    page.node(MAINinL, 2)->MakeConnection(adat0);
    page.node(ADATout, 5)->MakeConnection(adat0);
    page.node(MAINinL, 3)->MakeConnection(page.node(ADATin, 1));
    CObList fed;
    EXPECT_EQ(page.active.GetConnectedItems(adat0, fed), 2);
    EXPECT_EQ(
        members(fed), (std::vector<IODesc*> { page.node(MAINinL, 2), page.node(ADATout, 5) }));
    IODescList sources;
    sources.AddTail(adat0);
    sources.AddTail(page.node(ADATin, 1));
    fed.RemoveAll();
    EXPECT_EQ(page.active.GetConnectedItems(sources, fed), 3);
    // Without a source: the 48 destinations of the page less the three fed above;
    // sources, whose source pointer is null too, never count.
    fed.RemoveAll();
    EXPECT_EQ(page.active.GetConnectedItems(static_cast<IODesc*>(nullptr), fed), 45);
}

TEST(Nodes, RepaintBookkeeping)
{
    RoutingPage page(0);
    RepaintRecorder rec;
    IODesc* mainL6 = page.node(MAINinL, 6);
    IODesc* adat0 = page.node(ADATin, 0);
    IODesc* dspa = page.node(DSPAin, 0);

    // The current node and its partners are marked and repainted, grown.
    adat0->Invalidate(someWindow, adat0, 8);
    mainL6->Invalidate(someWindow, adat0, 8);
    ASSERT_EQ(repainted.size(), 2u);
    CRect grown = mainL6->rect;
    grown.InflateRect(8, 8);
    EXPECT_EQ(repainted[1], grown);
    EXPECT_TRUE(mainL6->highlighted);

    // An unrelated node that was never marked is left alone.
    dspa->Invalidate(someWindow, adat0, 8);
    EXPECT_EQ(repainted.size(), 2u);

    // When the current node changes, a marked node is repainted once more, then no longer.
    mainL6->Invalidate(someWindow, dspa, 8);
    EXPECT_EQ(repainted.size(), 3u);
    EXPECT_FALSE(mainL6->highlighted);
    mainL6->Invalidate(someWindow, dspa, 8);
    EXPECT_EQ(repainted.size(), 3u);

    // No current node: only a marked node is repainted; a null window repaints nothing.
    adat0->Invalidate(nullptr, nullptr, 8);
    EXPECT_FALSE(adat0->highlighted);
    EXPECT_EQ(repainted.size(), 3u);
}

TEST(Nodes, SaveWritesPresetLines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString path = dir.filePath("preset.rut");
    RoutingPage page(0);
    IODesc* ana1 = page.node(ANAin, 1); // gain only
    IODesc* mainL3 = page.node(MAINinL, 3); // source only
    IODesc* dspb6 = page.node(DSPBin, 6); // split keys, gain and source
    IODesc* aesOut = page.node(AESout, 0); // fixed: nothing
    ana1->SetGain(-3.45);
    mainL3->MakeConnection(page.node(ADATin, 2));
    dspb6->SetGain(-12.0);
    {
        CFile f(CString(path.toUtf8().constData()), CFile::fmWrite);
        ASSERT_TRUE(f.IsOpen());
        for (IODesc* n : { ana1, mainL3, dspb6, aesOut })
            EXPECT_TRUE(n->Save(f));
        f.Close();
    }
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll().toStdString(),
        "10030014 -3.4\r\n"
        "1001081d 3\r\n"
        "1001061a -12.0\r\n"
        "1001060e 99\r\n");
}
