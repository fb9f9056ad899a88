// Possible-source lists, whose order gives the values the device knows, and
// the exchange of optional groups keeping what each value means.
#include "RoutingPage.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

std::vector<IODesc*> listOf(const IODescList& l)
{
    std::vector<IODesc*> v;
    for (POSITION pos = l.GetHeadPosition(); pos;)
        v.push_back(l.Next(pos));
    return v;
}

std::vector<IODesc*> sourceList(const IODesc* d)
{
    IODescList l;
    d->GetPossibleSourceList(l);
    return listOf(l);
}

// A list as runs of one group: "AESin 0, ADATin 0-7".
std::string runs(const std::vector<IODesc*>& v)
{
    std::string out;
    for (size_t i = 0; i < v.size();) {
        size_t j = i;
        while (j + 1 < v.size() && v[j + 1]->Group() == v[i]->Group()
            && v[j + 1]->index == v[j]->index + 1)
            ++j;
        out += std::string(out.empty() ? "" : ", ") + groupName(v[i]->Group()) + " "
            + std::to_string(v[i]->index) + (j > i ? "-" + std::to_string(v[j]->index) : "");
        i = j + 1;
    }
    return out;
}

} // namespace

// The value a destination sends is the position of its source in this list,
// so the order is the device's numbering.
TEST(SourceLists, ListsInTheDevicesOrder)
{
    const struct {
        int model;
        groupID group;
        int index;
        const char* sources;
    } rows[] = {
        { 0, MAINinL, 0, "AESin 0, ADATin 0-7" },
        { 0, MAINinL, 6, "AESin 6, ADATin 0-7" }, // ANAin is off the page with its option off
        { 0, DSPAin, 4, "MAINinR 0-7, DSPAout 0-7, DSPBout 0-7" },
        { 0, MAINoutLb, 7, "MAINinR 0-7, DSPAout 0-7, DSPBout 0-7" },
        { 0, ADATout, 2, "MAINoutR 0-7, ADATin 0-7" }, // MAINoutR leads the page
        { 0, AESout, 0, "" },
        { 1, MAINinL, 1, "ANAin 1, ADATin 0-7" },
        { 1, MAINinL, 5, "AESin 1, ADATin 0-7" }, // AESin feeds with offset 4
        { 2, MAINinL, 0, "ANAin 0, ADATin 0-7, AES10in 0-7, FWIRE1in 0-7, FWIRE2in 0-7" },
        { 2, MAINinL, 7, "AESin 3, ADATin 0-7, AES10in 0-7, FWIRE1in 0-7, FWIRE2in 0-7" },
        { 2, FWIRE1out, 0, "MAINoutR 0-7, ADATin 0-7, AES10in 0-7" },
    };
    for (const auto& r : rows) {
        RoutingPage page(r.model);
        const IODesc* d = page.node(r.group, r.index);
        SCOPED_TRACE(
            std::to_string(r.model) + " " + groupName(r.group) + " " + std::to_string(r.index));
        const std::vector<IODesc*> list = sourceList(d);
        EXPECT_EQ(runs(list), r.sources);
        for (size_t v = 0; v < list.size(); ++v) {
            EXPECT_EQ(d->IoValue(list[v]), static_cast<int>(v));
            EXPECT_EQ(d->ConnectionFromIndex(static_cast<int>(v)), list[v]);
        }
        EXPECT_EQ(d->ConnectionFromIndex(static_cast<int>(list.size())), nullptr);
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
        SCOPED_TRACE(runs({ d }));
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
        { 2, AES10in, 3, 2 }, // SPDIFcin2, listed after AES10in, in place of AES10in 0-1
        { 2, AES10in, 3, 1 }, // SPDIFoin, listed before ADATin, in place of AES10in 0-1
        { 2, AES10in, 3 << 6, 1 }, // SPDIFoin in place of AES10in 6-7
    };
    for (const OptionSwap& s : swaps) {
        SCOPED_TRACE(std::string(main_table[s.model].modelName) + " side " + std::to_string(s.side)
            + " mask " + std::to_string(s.mask));
        expectPositionsKept(s);
    }
}
