// Model tables: device keys worked out by hand from the device's key map, and
// the rules every row must keep.
#include "ModelTables.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

const io_entry* findRow(int model, groupID g)
{
    const model_entry& m = main_table[model];
    for (int r = 0; r < m.ioRows; ++r)
        if (m.ioTable[r].group == g)
            return &m.ioTable[r];
    return nullptr;
}

} // namespace

TEST(ModelTables, KeysOfNodesAsTheDeviceNumbersThem)
{
    // Interleaved main outputs step by two, split rows restart at their second
    // base key, gain keys never take the stride.
    const struct {
        int model;
        groupID group;
        int index;
        long key, gainKey;
    } rows[] = {
        { 0, MAINoutLa, 1, 0x10010093, 0 },
        { 0, MAINoutLa, 4, 0x100100c1, 0 },
        { 0, MAINoutLb, 7, 0x100100c8, 0 },
        { 0, DSPAin, 3, 0x10010084, 0x10010088 },
        { 0, DSPAin, 5, 0x10010606, 0x10010613 },
        { 0, MAINinL, 3, 0x1001081d, 0 },
        { 0, MAINinR, 3, 0, 0x1003001d },
        { 0, MAINinR, 4, 0, 0x10030033 },
        { 0, ANAin, 1, 0, 0x10030014 },
        { 1, ADATout, 2, 0x10010826, 0 },
        { 2, FWIRE2out, 7, 0x10010857, 0 },
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(groupName(r.group)) + " " + std::to_string(r.index));
        const io_entry* e = findRow(r.model, r.group);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(nodeKey(e, r.index, rowStride(e)), r.key);
        EXPECT_EQ(nodeGainKey(e, r.index), r.gainKey);
    }
}

TEST(ModelTables, RowsNameOnlyTheirModelsSourcesAndNoKeyTwice)
{
    for (int m = 0; m < modelCount; ++m) {
        const model_entry& model = main_table[m];
        std::set<int> sourceGroups;
        std::set<long> keys, gainKeys;
        for (int r = 0; r < model.ioRows; ++r)
            if (model.ioTable[r].inputs < 0)
                sourceGroups.insert(model.ioTable[r].group);
        for (int r = 0; r < model.ioRows; ++r) {
            const io_entry& e = model.ioTable[r];
            SCOPED_TRACE(std::string(model.modelName) + " " + e.label);
            EXPECT_EQ(e.key != 0, e.inputs > 0) << "only destinations select a source";
            EXPECT_EQ(e.sources[0] == TO_FRONT, e.group == MAINoutR);
            for (int w = 0; e.inputs > 0 && e.sources[w] != noGroup; ++w)
                EXPECT_TRUE(sourceGroups.count(e.sources[w])) << groupName(e.sources[w]);
            for (int i = 0; i < e.count; ++i) {
                const long k = nodeKey(&e, i, rowStride(&e)), g = nodeGainKey(&e, i);
                EXPECT_TRUE(!k || keys.insert(k).second) << std::hex << k;
                EXPECT_TRUE(!g || gainKeys.insert(g).second) << std::hex << g;
            }
        }
    }
}

TEST(ModelTables, OptionOfAGroupAndAModelNumberOutsideTheTable)
{
    const int saved = tablenum;
    const struct {
        int model;
        groupID group;
        int option;
    } rows[] = { { 0, SPDIFcin, 0 }, { 0, ANAin, 1 }, { 0, AESin, -1 }, { 1, ANAin, -1 },
        { 2, noGroup, 3 }, { 2, SPDIFoin, 1 }, { 2, SPDIFcin2, 2 }, { 3, SPDIFcin, -1 } };
    for (const auto& r : rows) {
        tablenum = r.model;
        EXPECT_EQ(ComboDescIndexFromGroup(r.group), r.option) << r.model << " " << r.group;
    }
    tablenum = -1;
    EXPECT_EQ(currentModel(), nullptr);
    tablenum = saved;
}
