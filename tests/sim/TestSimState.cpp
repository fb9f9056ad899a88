// The device's default state, its dump and the state file it is read from.
#include "SimTestSupport.h"

#include <gtest/gtest.h>

TEST(SimState, DefaultsAreLegalAndMixConnectedAndUnconnectedDestinations)
{
    for (int m = 0; m < modelCount; ++m) {
        SimDevice d(m);
        SCOPED_TRACE(d.Model().Name());
        EXPECT_NE(*d.Value(SimModel::kModeKey), 2) << "the editor's save and restore must show";
        int connected = 0, unconnected = 0;
        for (const auto& dest : d.Model().Destinations()) {
            const int v = *d.Value(dest.key);
            if (v == SimModel::kNoSource)
                ++unconnected;
            else if (v >= 0 && v < dest.choices)
                ++connected;
            else
                ADD_FAILURE() << dest.name << " " << v;
        }
        EXPECT_GT(connected, unconnected);
        EXPECT_GT(unconnected, 0);
        for (const auto& g : d.Model().Gains()) {
            EXPECT_GE(*d.GainOf(g.key), g.min) << g.name;
            EXPECT_LE(*d.GainOf(g.key), g.max) << g.name;
        }
    }
}

TEST(SimState, DumpAndLoadRoundTrip)
{
    SimDevice d(2);
    std::string why;
    ASSERT_TRUE(d.SetValue(SimModel::kModeKey, 2, why));
    ASSERT_TRUE(d.SetValue(0x10010888, 4, why));
    ASSERT_TRUE(d.SetValue(0x1001081a, 99, why));
    ASSERT_TRUE(d.SetValue(0x10010848, 3, why));
    ASSERT_TRUE(d.SetGain(0x10030013, -7.5, why));
    ASSERT_TRUE(d.SetGain(0x10010612, -33.3, why));
    const std::string dump = d.Dump();
    EXPECT_NE(dump.find("model Q7300FW\n"), std::string::npos);
    EXPECT_NE(dump.find("value 10010016 2"), std::string::npos);
    EXPECT_NE(dump.find("gain 10010612 -33.300000"), std::string::npos);

    SimDevice copy(2);
    ASSERT_NE(copy.Dump(), dump);
    ASSERT_TRUE(copy.Load(dump, why)) << why;
    EXPECT_EQ(copy.Dump(), dump);
    EXPECT_EQ(*copy.Value(0x10010888), 4);
    EXPECT_DOUBLE_EQ(*copy.GainOf(0x10010612), -33.3);
    EXPECT_EQ(SimDevice::ModelOfDump(dump), 2);
    EXPECT_EQ(SimDevice::ModelOfDump("# nothing\n"), -1);

    // A partial state keeps the defaults of the keys it does not name.
    SimDevice partial(2);
    ASSERT_TRUE(partial.Load("model q7300fw\nvalue 10010016 7\n", why)) << why;
    EXPECT_EQ(*partial.Value(SimModel::kModeKey), 7);
    EXPECT_EQ(*partial.Value(0x1001081a), *SimDevice(2).Value(0x1001081a));
}

TEST(SimState, LoadIsAllOrNothingAndSaysWhichLineItRefused)
{
    SimDevice d(0);
    const std::string before = d.Dump();
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        { "model Q7300FW\nvalue 10010016 3\n",
            "line 1: the state is of model Q7300FW, the device is a Q7300" },
        { "model Q7300\nvalue 10010016 3\nvalue 1001081a 9\n",
            "line 3: Value 9 out of range 0..8 or 99 for key 1001081a" },
        { "model Q7300\nvalue 10010016 3\nvalue 10010848 1\n", "line 3: Unknown key 10010848" },
        { "model Q7300\nvalue 10010016 3\ngain 10030013 nan\n",
            "line 3: cannot read \"gain 10030013 nan\"" },
        { "model Q7300\ngain 10030013 -13\n",
            "line 2: Level -13.000000 out of range -12.000000..12.000000 for key 10030013" },
        { "model Q7300\nvalue 10010016\n", "line 2: cannot read \"value 10010016\"" },
        { "model Q7300\nbogus 1 2\n", "line 2: cannot read \"bogus 1 2\"" },
        { "value 10010016 3\n", "no model line" },
        { "", "no model line" },
    };
    for (const Case& c : cases) {
        std::string why;
        EXPECT_FALSE(d.Load(c.text, why)) << c.text;
        EXPECT_EQ(why, c.error);
        EXPECT_EQ(d.Dump(), before) << c.text;
    }
}
