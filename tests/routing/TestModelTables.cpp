// Model tables: sizes, keys of every node, group names and option lookup.
#include "ModelTables.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

struct TablenumGuard {
    int saved = tablenum;
    ~TablenumGuard() { tablenum = saved; }
};

// Keys of a whole row, built by walking the halves one after the other rather
// than by index arithmetic.
std::vector<long> expectedKeys(const io_entry& e)
{
    std::vector<long> keys;
    if (e.key == 0)
        return std::vector<long>(e.count, 0);
    int stride = (e.key == 0x10010091 || e.key == 0x10010092) ? 2 : 1;
    int firstHalf = e.key2 ? e.count / 2 : e.count;
    long k = e.key;
    for (int i = 0; i < firstHalf; ++i, k += stride)
        keys.push_back(k);
    k = e.key2;
    for (int i = firstHalf; i < e.count; ++i, k += stride)
        keys.push_back(k);
    return keys;
}

std::vector<long> expectedGainKeys(const io_entry& e)
{
    std::vector<long> keys;
    if (e.gainKey == 0)
        return std::vector<long>(e.count, 0);
    int firstHalf = e.gainKey2 ? e.count / 2 : e.count;
    for (int i = 0; i < firstHalf; ++i)
        keys.push_back(e.gainKey + i);
    for (int i = firstHalf; i < e.count; ++i)
        keys.push_back(e.gainKey2 + (i - firstHalf));
    return keys;
}

const io_entry* findRow(const model_entry& m, groupID g)
{
    for (int r = 0; r < m.ioRows; ++r)
        if (m.ioTable[r].group == g)
            return &m.ioTable[r];
    return nullptr;
}

std::vector<long> rowKeys(const io_entry* e)
{
    std::vector<long> keys;
    for (int i = 0; i < e->count; ++i)
        keys.push_back(nodeKey(e, i, rowStride(e)));
    return keys;
}

} // namespace

TEST(ModelTables, MainTableRowsAndSizes)
{
    const char* names[] = { "Q7300", "Q7300A", "Q7300FW" };
    const char* bitmaps[] = { "routing72.bmp", "routing7a2.bmp", "routing7fw2.bmp" };
    const char* panels[] = { "routing72.txt", "routing7a2.txt", "routing7fw2.txt" };
    const int rows[] = { 17, 17, 27 };
    const int nodes[] = { 112, 108, 164 };
    const int options[] = { 2, 1, 4 };
    for (int m = 0; m < modelCount; ++m) {
        SCOPED_TRACE(m);
        EXPECT_STREQ(main_table[m].modelName, names[m]);
        EXPECT_STREQ(main_table[m].bitmapFile, bitmaps[m]);
        EXPECT_STREQ(main_table[m].panelFile, panels[m]);
        EXPECT_EQ(main_table[m].menuId, 105 + m);
        EXPECT_EQ(main_table[m].ioRows, rows[m]);
        EXPECT_EQ(ioNodeCount(main_table[m]), nodes[m]);
        EXPECT_EQ(comboDescCount(main_table[m].comboDescs), options[m]);
        EXPECT_LE(comboDescCount(main_table[m].comboDescs), maxComboRows);
    }
    EXPECT_EQ(comboDescCount(nullptr), 0);
}

TEST(ModelTables, EveryKeyOfEveryRowFollowsTheStrideAndSplitRule)
{
    for (int m = 0; m < modelCount; ++m) {
        const model_entry& model = main_table[m];
        std::set<long> sourceKeys, gainKeys;
        for (int r = 0; r < model.ioRows; ++r) {
            const io_entry& e = model.ioTable[r];
            SCOPED_TRACE(std::string(model.modelName) + " row " + std::to_string(r));
            std::vector<long> keys = expectedKeys(e), gains = expectedGainKeys(e);
            for (int i = 0; i < e.count; ++i) {
                EXPECT_EQ(nodeKey(&e, i, rowStride(&e)), keys[i]) << "index " << i;
                EXPECT_EQ(nodeGainKey(&e, i), gains[i]) << "index " << i;
                // No two nodes of a model may share a device key.
                if (keys[i]) {
                    EXPECT_TRUE(sourceKeys.insert(keys[i]).second) << std::hex << keys[i];
                }
                if (gains[i]) {
                    EXPECT_TRUE(gainKeys.insert(gains[i]).second) << std::hex << gains[i];
                }
            }
            // Only selectable destinations carry a source-select key.
            EXPECT_EQ(e.key != 0, e.inputs > 0);
        }
    }
}

TEST(ModelTables, HandDerivedKeys)
{
    const model_entry& q = main_table[0];
    const io_entry* la = findRow(q, MAINoutLa);
    const io_entry* lb = findRow(q, MAINoutLb);
    ASSERT_TRUE(la && lb);
    EXPECT_EQ(rowStride(la), 2);
    EXPECT_EQ(rowStride(lb), 2);
    EXPECT_EQ(rowKeys(la),
        (std::vector<long> { 0x10010091, 0x10010093, 0x10010095, 0x10010097, 0x100100c1, 0x100100c3,
            0x100100c5, 0x100100c7 }));
    EXPECT_EQ(rowKeys(lb),
        (std::vector<long> { 0x10010092, 0x10010094, 0x10010096, 0x10010098, 0x100100c2, 0x100100c4,
            0x100100c6, 0x100100c8 }));

    const io_entry* dspa = findRow(q, DSPAin);
    EXPECT_EQ(rowStride(dspa), 1);
    EXPECT_EQ(nodeKey(dspa, 5, 1), 0x10010606);
    EXPECT_EQ(nodeGainKey(dspa, 5), 0x10010613);
    EXPECT_EQ(nodeKey(dspa, 3, 1), 0x10010084);
    EXPECT_EQ(nodeGainKey(dspa, 3), 0x10010088);

    const io_entry* mainL = findRow(q, MAINinL);
    EXPECT_EQ(nodeKey(mainL, 3, 1), 0x1001081d);
    EXPECT_EQ(nodeGainKey(mainL, 3), 0);

    const io_entry* mainR = findRow(q, MAINinR);
    std::vector<long> gains;
    for (int i = 0; i < 8; ++i)
        gains.push_back(nodeGainKey(mainR, i));
    EXPECT_EQ(gains,
        (std::vector<long> { 0x1003001a, 0x1003001b, 0x1003001c, 0x1003001d, 0x10030033, 0x10030034,
            0x10030035, 0x10030036 }));
    EXPECT_EQ(nodeKey(mainR, 0, 1), 0);

    const io_entry* ana = findRow(q, ANAin);
    EXPECT_EQ(nodeGainKey(ana, 0), 0x10030013);
    EXPECT_EQ(nodeGainKey(ana, 1), 0x10030014);

    const io_entry* fw2 = findRow(main_table[2], FWIRE2out);
    EXPECT_EQ(nodeKey(fw2, 7, 1), 0x10010857);
}

TEST(ModelTables, OddCountSplitsAtTheLowerHalf)
{
    io_entry odd { DSPAin, 5, 0x100, 0x200, 0x300, 0x400, "odd", 1, 0, { MAINinR, noGroup } };
    EXPECT_EQ(nodeKey(&odd, 0, 1), 0x100);
    EXPECT_EQ(nodeKey(&odd, 1, 1), 0x101);
    EXPECT_EQ(nodeKey(&odd, 2, 1), 0x200);
    EXPECT_EQ(nodeKey(&odd, 4, 1), 0x202);
    EXPECT_EQ(nodeKey(&odd, 4, 2), 0x204);
    EXPECT_EQ(nodeGainKey(&odd, 1), 0x301);
    EXPECT_EQ(nodeGainKey(&odd, 2), 0x400);
    // Gain keys never take the stride.
    EXPECT_EQ(nodeGainKey(&odd, 4), 0x402);
    EXPECT_EQ(nodeKey(nullptr, 0, 1), 0);
}

TEST(ModelTables, RowsAreConsistent)
{
    for (int m = 0; m < modelCount; ++m) {
        const model_entry& model = main_table[m];
        std::set<int> sourceGroups, groupsSeen;
        for (int r = 0; r < model.ioRows; ++r) {
            const io_entry& e = model.ioTable[r];
            EXPECT_TRUE(groupsSeen.insert(e.group).second) << "group twice: " << groupName(e.group);
            if (e.inputs < 0)
                sourceGroups.insert(e.group);
        }
        for (int r = 0; r < model.ioRows; ++r) {
            const io_entry& e = model.ioTable[r];
            SCOPED_TRACE(std::string(model.modelName) + " " + e.label);
            EXPECT_GE(e.inputs, -1);
            EXPECT_LE(e.inputs, 1);
            EXPECT_GT(e.count, 0);
            if (e.inputs > 0) {
                EXPECT_EQ(e.indexOffset, 0);
                int n = 0;
                while (n < sourceListLength && e.sources[n] != noGroup) {
                    // Every group a destination names must be a source row of the model.
                    EXPECT_TRUE(sourceGroups.count(e.sources[n])) << groupName(e.sources[n]);
                    ++n;
                }
                EXPECT_LT(n, sourceListLength);
                EXPECT_GT(n, 0);
            } else {
                for (int w = 0; w < sourceListLength; ++w)
                    if (!(w == 0 && e.sources[0] == TO_FRONT)) {
                        EXPECT_EQ(e.sources[w], 0);
                    }
            }
            EXPECT_EQ(e.sources[0] == TO_FRONT, e.group == MAINoutR);
        }
    }
}

TEST(ModelTables, GroupNames)
{
    EXPECT_STREQ(groupName(noGroup), "noGroup");
    EXPECT_STREQ(groupName(TO_FRONT), "TO_FRONT");
    EXPECT_STREQ(groupName(AES10in), "AES10in");
    EXPECT_STREQ(groupName(MAINoutLb), "MAINoutLb");
    EXPECT_STREQ(groupName(SPDIFcout2), "SPDIFcout2");
    EXPECT_STREQ(groupName(static_cast<groupID>(28)), "?");
    EXPECT_STREQ(groupName(static_cast<groupID>(-2)), "?");
    std::set<std::string> names;
    for (int g = -1; g <= 27; ++g)
        names.insert(groupName(static_cast<groupID>(g)));
    EXPECT_EQ(names.size(), 29u);
    // Each row's label names its group for the groups whose label is the group name.
    for (int m = 0; m < modelCount; ++m)
        EXPECT_STREQ(groupName(findRow(main_table[m], DSPBout)->group), "DSPBout");
}

TEST(ModelTables, ComboTablesAndLookupByGroup)
{
    TablenumGuard guard;
    EXPECT_EQ(comboTextCount(q7300ComboDesc[0]), 2);
    EXPECT_EQ(comboTextCount(fwComboDesc[1]), 5);
    EXPECT_STREQ(fwComboDesc[1].texts[4], "aes17/18");
    EXPECT_EQ(q7300ComboDesc[1].key, 0x1001082d);
    EXPECT_EQ(q7300ComboDesc[1].proc, ComboProcId::q7300_ana_proc);
    EXPECT_EQ(fwComboDesc[3].proc, ComboProcId::fwire_spdifoo_proc);
    EXPECT_EQ(fwComboDesc[3].key, 0x10010889);

    tablenum = 0;
    EXPECT_EQ(ComboDescIndexFromGroup(SPDIFcin), 0);
    EXPECT_EQ(ComboDescIndexFromGroup(ANAin), 1);
    EXPECT_EQ(ComboDescIndexFromGroup(noGroup), -1);
    EXPECT_EQ(ComboDescIndexFromGroup(AESin), -1);
    tablenum = 1;
    EXPECT_EQ(ComboDescIndexFromGroup(ANAin), -1);
    EXPECT_EQ(ComboDescIndexFromGroup(SPDIFcin), 0);
    EXPECT_EQ(ComboDescIndexFromGroup(noGroup), -1);
    tablenum = 2;
    EXPECT_EQ(ComboDescIndexFromGroup(noGroup), 3);
    EXPECT_EQ(ComboDescIndexFromGroup(SPDIFoin), 1);
    EXPECT_EQ(ComboDescIndexFromGroup(SPDIFcin2), 2);
    EXPECT_EQ(ComboDescIndexFromGroup(ANAin), -1);
    // A stored model number outside the table gives no model instead of a wild read.
    tablenum = 3;
    EXPECT_EQ(currentModel(), nullptr);
    EXPECT_EQ(ComboDescIndexFromGroup(SPDIFcin), -1);
    tablenum = -1;
    EXPECT_EQ(currentModel(), nullptr);
}
