// Page order and possible-source lists of every destination of every model,
// and the exchange of optional groups keeping what values mean.
#include "RoutingPage.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

std::string name(const IODesc* n)
{
    return n ? std::string(groupName(n->Group())) + " " + std::to_string(n->index) : "null";
}

std::vector<std::string> names(const std::vector<IODesc*>& v)
{
    std::vector<std::string> out;
    for (IODesc* n : v)
        out.push_back(name(n));
    return out;
}

std::vector<IODesc*> sourceList(const IODesc* d)
{
    IODescList l;
    d->GetPossibleSourceList(l);
    std::vector<IODesc*> v;
    for (POSITION pos = l.GetHeadPosition(); pos;)
        v.push_back(l.Next(pos));
    return v;
}

std::vector<IODesc*> listOf(const IODescList& l)
{
    std::vector<IODesc*> v;
    for (POSITION pos = l.GetHeadPosition(); pos;)
        v.push_back(l.Next(pos));
    return v;
}

// The device's numbering restated group by group: for each group the
// destination names, in its order, the sources of that group on the page (in
// page order) whose index fits the row's offset.
std::vector<IODesc*> byTheRule(const RoutingPage& page, const IODesc* d)
{
    std::vector<IODesc*> out;
    if (d->entry->inputs <= 0)
        return out;
    for (int w = 0; w < sourceListLength && d->entry->sources[w] != noGroup; ++w)
        for (IODesc* s : listOf(page.active)) {
            const io_entry* e = s->entry;
            if (e->group == d->entry->sources[w] && e->inputs == -1
                && (e->indexOffset == -1 || s->index + e->indexOffset == d->index))
                out.push_back(s);
        }
    return out;
}

std::vector<std::string> seq(const char* group, int from, int to)
{
    std::vector<std::string> v;
    for (int i = from; i <= to; ++i)
        v.push_back(std::string(group) + " " + std::to_string(i));
    return v;
}

std::vector<std::string> cat(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> v;
    for (auto& p : parts)
        v.insert(v.end(), p.begin(), p.end());
    return v;
}

} // namespace

TEST(SourceLists, PageOrderFrontPlacementAndSideLists)
{
    RoutingPage q(0);
    std::vector<IODesc*> active = listOf(q.active);
    ASSERT_EQ(active.size(), 108u); // 112 less the two SPDIFcin and two ANAin nodes
    // The MAINoutR row goes to the front, in index order, the rest follows in table order.
    EXPECT_EQ(names({ active.begin(), active.begin() + 9 }),
        cat({ seq("MAINoutR", 0, 7), seq("AESin", 0, 0) }));
    EXPECT_EQ(name(active.back()), "ANAout 1");
    EXPECT_EQ(names(listOf(q.sides[0])), seq("SPDIFcin", 0, 1));
    EXPECT_EQ(names(listOf(q.sides[1])), seq("ANAin", 0, 1));
    for (int k = 2; k < comboSideListCount; ++k)
        EXPECT_TRUE(q.sides[k].IsEmpty());

    RoutingPage a(1);
    EXPECT_EQ(a.active.GetCount(), 106);
    EXPECT_EQ(names(listOf(a.sides[0])), seq("SPDIFcin", 0, 1));
    EXPECT_EQ(name(a.active[8]), "ANAin 0"); // ANAin is always on the page here

    RoutingPage fw(2);
    EXPECT_EQ(fw.active.GetCount(), 164 - 6);
    EXPECT_EQ(name(fw.active[0]), "MAINoutR 0");
    EXPECT_EQ(name(fw.active[8]), "FWIRE1in 0");
    EXPECT_EQ(names(listOf(fw.sides[0])), seq("SPDIFcin", 0, 1));
    EXPECT_EQ(names(listOf(fw.sides[1])), seq("SPDIFoin", 0, 1));
    EXPECT_EQ(names(listOf(fw.sides[2])), seq("SPDIFcin2", 0, 1));
    EXPECT_TRUE(fw.sides[3].IsEmpty()); // row 3 brings no group
}

TEST(SourceLists, HandDerivedLists)
{
    RoutingPage q(0);
    EXPECT_EQ(
        names(sourceList(q.node(MAINinL, 0))), cat({ seq("AESin", 0, 0), seq("ADATin", 0, 7) }));
    // ANAin is off the page while its option is off.
    EXPECT_EQ(
        names(sourceList(q.node(MAINinL, 6))), cat({ seq("AESin", 6, 6), seq("ADATin", 0, 7) }));
    EXPECT_EQ(names(sourceList(q.node(DSPAin, 4))),
        cat({ seq("MAINinR", 0, 7), seq("DSPAout", 0, 7), seq("DSPBout", 0, 7) }));
    EXPECT_EQ(names(sourceList(q.node(MAINoutLb, 7))),
        cat({ seq("MAINinR", 0, 7), seq("DSPAout", 0, 7), seq("DSPBout", 0, 7) }));
    // MAINoutR stands first on the page and first in ADATout's list.
    EXPECT_EQ(
        names(sourceList(q.node(ADATout, 2))), cat({ seq("MAINoutR", 0, 7), seq("ADATin", 0, 7) }));

    RoutingPage a(1);
    // ANAin feeds the same index, AESin (offset 4) the upper half.
    EXPECT_EQ(
        names(sourceList(a.node(MAINinL, 1))), cat({ seq("ANAin", 1, 1), seq("ADATin", 0, 7) }));
    EXPECT_EQ(
        names(sourceList(a.node(MAINinL, 5))), cat({ seq("AESin", 1, 1), seq("ADATin", 0, 7) }));

    RoutingPage fw(2);
    EXPECT_EQ(names(sourceList(fw.node(MAINinL, 0))),
        cat({ seq("ANAin", 0, 0), seq("ADATin", 0, 7), seq("AES10in", 0, 7), seq("FWIRE1in", 0, 7),
            seq("FWIRE2in", 0, 7) }));
    EXPECT_EQ(names(sourceList(fw.node(MAINinL, 7))),
        cat({ seq("AESin", 3, 3), seq("ADATin", 0, 7), seq("AES10in", 0, 7), seq("FWIRE1in", 0, 7),
            seq("FWIRE2in", 0, 7) }));
    EXPECT_EQ(names(sourceList(fw.node(FWIRE1out, 0))),
        cat({ seq("MAINoutR", 0, 7), seq("ADATin", 0, 7), seq("AES10in", 0, 7) }));
}

TEST(SourceLists, EveryDestinationOfEveryModelFollowsTheRule)
{
    for (int m = 0; m < modelCount; ++m) {
        RoutingPage page(m);
        int destinations = 0;
        for (auto& n : page.nodes) {
            SCOPED_TRACE(std::string(main_table[m].modelName) + " " + name(n.get()));
            std::vector<IODesc*> list = sourceList(n.get());
            EXPECT_EQ(list, byTheRule(page, n.get()));
            if (!n->IsActiveInput()) {
                EXPECT_TRUE(list.empty());
                continue;
            }
            ++destinations;
            EXPECT_FALSE(list.empty());
            // Values and list positions agree both ways, and 99 stays free.
            EXPECT_LT(list.size(), 99u);
            for (size_t v = 0; v < list.size(); ++v) {
                EXPECT_EQ(n->IoValue(list[v]), static_cast<int>(v));
                EXPECT_EQ(n->ConnectionFromIndex(static_cast<int>(v)), list[v]);
            }
        }
        EXPECT_EQ(destinations, m == 2 ? 72 : 48);
    }
}

namespace {

// One option's exchange: the group whose chosen members leave and the side list
// whose nodes take their places.
struct OptionSwap {
    int model;
    groupID leaving;
    int mask;
    int side;
};

// For every destination: the source at each position before the exchange maps,
// through the pairs exchanged, onto the source at the same position after it.
void expectPositionsKept(const OptionSwap& swap)
{
    RoutingPage page(swap.model);
    std::map<IODesc*, std::vector<IODesc*>> before;
    for (IODesc* d : page.destinations())
        before[d] = sourceList(d);
    CObList leaving;
    page.active.GetGroupMembers(swap.leaving, leaving, swap.mask);
    std::vector<IODesc*> incoming = listOf(page.sides[swap.side]);
    std::map<IODesc*, IODesc*> pairs;
    size_t k = 0;
    for (POSITION pos = leaving.GetHeadPosition(); pos; ++k)
        pairs[static_cast<IODesc*>(leaving.GetNext(pos))] = incoming.at(k);

    ASSERT_TRUE(page.active.ExchangeListItems(swap.leaving, swap.mask, page.sides[swap.side]));
    for (IODesc* d : page.destinations()) {
        SCOPED_TRACE(name(d));
        std::vector<IODesc*> after = sourceList(d);
        ASSERT_EQ(after.size(), before[d].size());
        for (size_t p = 0; p < after.size(); ++p) {
            IODesc* was = before[d][p];
            EXPECT_EQ(after[p], pairs.count(was) ? pairs[was] : was) << "position " << p;
        }
    }
}

} // namespace

TEST(SourceLists, OptionExchangesKeepEveryValuesMeaning)
{
    const OptionSwap swaps[] = {
        { 0, AESin, 3, 0 }, // SPDIFcin in place of AESin 0-1
        { 0, AESin, 3 << 6, 1 }, // ANAin in place of AESin 6-7
        { 1, AESin, 3, 0 }, // SPDIFcin in place of AESin 0-1
        { 2, AESin, 3, 0 }, // SPDIFcin in place of AESin 0-1
        { 2, AES10in, 3 << 6, 2 }, // SPDIFcin2 in place of the last AES10in pair
    };
    for (const OptionSwap& s : swaps) {
        SCOPED_TRACE(std::string(main_table[s.model].modelName) + " side " + std::to_string(s.side)
            + " mask " + std::to_string(s.mask));
        expectPositionsKept(s);
    }
}

TEST(SourceLists, SpdifAndAnalogueOptionsOnTheBaseModel)
{
    RoutingPage page(0);
    std::vector<IODesc*> initialOrder = listOf(page.active);
    IODesc* mainL0 = page.node(MAINinL, 0);
    IODesc* mainL1 = page.node(MAINinL, 1);
    IODesc* mainL6 = page.node(MAINinL, 6);
    IODesc* mainL7 = page.node(MAINinL, 7);
    page.connect(mainL0, page.node(AESin, 0));
    page.connect(mainL1, page.node(ADATin, 5));
    page.connect(mainL6, page.node(AESin, 6));
    page.connect(mainL7, page.node(AESin, 7));
    EXPECT_EQ(mainL0->value, 0);
    EXPECT_EQ(mainL1->value, 6);
    EXPECT_EQ(mainL6->value, 0);

    // SPDIFcin on: AESin 0-1 leave, the line of MAINinL 0 follows to SPDIFcin 0.
    page.exchange(AESin, 3, 0);
    EXPECT_EQ(mainL0->source, page.node(SPDIFcin, 0));
    EXPECT_EQ(mainL0->value, 0);
    EXPECT_EQ(mainL0->ConnectionFromIndex(mainL0->value), mainL0->source);
    EXPECT_NE(page.lines.GetLine(mainL0, page.node(SPDIFcin, 0)), nullptr);
    EXPECT_EQ(page.lines.GetLine(mainL0, page.node(AESin, 0)), nullptr);
    EXPECT_EQ(mainL1->source, page.node(ADATin, 5));

    // ANAin on, as its option does it: SPDIFcin off, ANAin in for AESin 6-7, SPDIFcin on again.
    page.exchange(SPDIFcin, -1, 0);
    EXPECT_EQ(mainL0->source, page.node(AESin, 0));
    page.exchange(AESin, 3 << 6, 1);
    page.exchange(AESin, 3, 0);
    EXPECT_EQ(mainL0->source, page.node(SPDIFcin, 0));
    EXPECT_EQ(mainL6->source, page.node(ANAin, 0));
    EXPECT_EQ(mainL7->source, page.node(ANAin, 1));
    for (IODesc* d : { mainL0, mainL1, mainL6, mainL7 })
        EXPECT_EQ(d->ConnectionFromIndex(d->value), d->source) << name(d);
    EXPECT_EQ(mainL6->value, 0);
    EXPECT_EQ(page.lines.GetCount(), 4);
    EXPECT_TRUE(page.active.Find(page.node(SPDIFcin, 1)));
    EXPECT_TRUE(page.active.Find(page.node(ANAin, 1)));
    EXPECT_EQ(names(listOf(page.sides[1])), seq("AESin", 6, 7));
    EXPECT_EQ(names(listOf(page.sides[0])), seq("AESin", 0, 1));

    // Both off again: the page order and every source are as at the start.
    page.exchange(SPDIFcin, -1, 0);
    page.exchange(ANAin, -1, 1);
    EXPECT_EQ(listOf(page.active), initialOrder);
    EXPECT_EQ(mainL0->source, page.node(AESin, 0));
    EXPECT_EQ(mainL6->source, page.node(AESin, 6));
    EXPECT_EQ(mainL7->source, page.node(AESin, 7));
    EXPECT_EQ(mainL1->source, page.node(ADATin, 5));
    for (POSITION pos = page.lines.GetHeadPosition(); pos;) {
        Line* l = page.lines.Next(pos);
        EXPECT_EQ(l->dest->source, l->source) << name(l->dest);
    }
}
