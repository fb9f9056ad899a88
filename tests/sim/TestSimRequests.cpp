// Each request form the editor sends, and the bytes the simulated device answers with.
#include "SimTestSupport.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

SimBytes frame(std::initializer_list<unsigned char> head, const std::string& text)
{
    SimBytes b(head);
    b.insert(b.end(), text.begin(), text.end());
    b.push_back(0xF7);
    return b;
}

// The first destination whose default value is "no source", and one that has a source.
const SimModel::Destination& destinationWith(const SimDevice& d, bool connected)
{
    for (const auto& dest : d.Model().Destinations())
        if ((*d.Value(dest.key) != SimModel::kNoSource) == connected)
            return dest;
    throw std::runtime_error("no such destination");
}

} // namespace

TEST(SimRequests, IdentityRequestGetsUniversalReplyWithManufacturerAndText)
{
    SimDevice fw(2);
    const auto replies = ask(fw, SimBytes { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 });
    ASSERT_EQ(replies.size(), 1u);
    SimBytes expected { 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x7D, 0x70, 0x00, 0x03, 0x00, 0x00, 0x00,
        0x00, 0x01 };
    const std::string text = "Q7300FW simulator";
    expected.insert(expected.end(), text.begin(), text.end());
    expected.push_back(0x00); // the text ends before the F7
    expected.push_back(0xF7);
    EXPECT_EQ(hexBytes(replies[0]), hexBytes(expected));

    SimDevice base(0);
    const auto baseReply = ask(base, SimBytes { 0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7 });
    ASSERT_EQ(baseReply.size(), 1u);
    EXPECT_EQ(baseReply[0][8], 0x01) << "member byte names the model";
}

TEST(SimRequests, ObjectInformationForKeyZeroNamesTheModelAfterAnApostrophe)
{
    for (int m = 0; m < modelCount; ++m) {
        SimDevice d(m);
        const auto replies = ask(d, request(49, "0 1"));
        ASSERT_EQ(replies.size(), 1u);
        const std::string text = std::string("COL 1 0 0 '") + main_table[m].modelName;
        EXPECT_EQ(hexBytes(replies[0]), hexBytes(frame({ 0xF0, 0x7D, 0x70, 0x01, 0x32 }, text)));
        std::string name;
        ASSERT_TRUE(editorReadsCol(text, name));
        EXPECT_EQ(name, main_table[m].modelName);
    }
    // Replies carry the device id the request was sent with.
    SimDevice d;
    const auto replies = ask(d, request(49, "0 1", 0x05));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0][3], 0x05);
}

TEST(SimRequests, ObjectInformationForAGainGivesNumWithQuotedWordsAndRange)
{
    SimDevice d(0);
    const auto replies = ask(d, request(49, "10010085 3"));
    ASSERT_EQ(replies.size(), 1u);
    char text[128];
    std::snprintf(text, sizeof text,
        "NUM 3 10010085 0 'DSPAin 0 level' 'dB' %f -100.000000 "
        "0.000000 0.100000",
        *d.GainOf(0x10010085));
    EXPECT_EQ(hexBytes(replies[0]), hexBytes(frame({ 0xF0, 0x7D, 0x70, 0x01, 0x32 }, text)));

    const Reply ana = askOne(d, 49, "10030013 3");
    EXPECT_EQ(ana.command, 50);
    EditorGain g;
    ASSERT_TRUE(editorReadsNum(ana.text, g)) << ana.text;
    EXPECT_EQ(g.key, 0x10030013);
    EXPECT_EQ(g.name, "\"ANAin_0_level\"");
    EXPECT_DOUBLE_EQ(g.min, -12.0);
    EXPECT_DOUBLE_EQ(g.max, 12.0);
    EXPECT_DOUBLE_EQ(g.step, 0.5);
}

TEST(SimRequests, ObjectInformationOtherwiseIsADeviceError)
{
    SimDevice d(2);
    Reply r = askOne(d, 49, "1001081a 3"); // a destination key: no object information
    EXPECT_EQ(r.command, 13);
    EXPECT_EQ(r.text, "No object information for key 1001081a");
    r = askOne(d, 49, "10010085 2"); // a gain key, but not index 3
    EXPECT_EQ(r.command, 13);
    EXPECT_EQ(r.text, "No object information 2 for key 10010085");
    r = askOne(d, 49, "10010085");
    EXPECT_EQ(r.command, 13);
}

TEST(SimRequests, ValueRequestsReportInHexadecimal)
{
    SimDevice d(2);
    auto replies = ask(d, request(59, "10010016"));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(
        hexBytes(replies[0]), hexBytes(frame({ 0xF0, 0x7D, 0x70, 0x01, 0x3C }, "10010016 5")));

    const auto& none = destinationWith(d, false);
    char keyText[16];
    std::snprintf(keyText, sizeof keyText, "%lx", none.key);
    Reply r = askOne(d, 59, keyText);
    EXPECT_EQ(r.command, 60);
    EXPECT_EQ(r.text, std::string(keyText) + " 63") << "99 travels as hexadecimal 63";

    // Every value key of every model reads back, through the editor's format, as stored.
    for (int m = 0; m < modelCount; ++m) {
        SimDevice dev(m);
        for (long key : valueKeys(dev.Model())) {
            std::snprintf(keyText, sizeof keyText, "%lx", key);
            r = askOne(dev, 59, keyText);
            long k = 0;
            int v = -1;
            ASSERT_EQ(r.command, 60) << keyText;
            ASSERT_TRUE(editorReadsValue(r.text, k, v)) << r.text;
            EXPECT_EQ(k, key);
            EXPECT_EQ(v, *dev.Value(key));
        }
    }
}

TEST(SimRequests, UnknownKeysAndUnreadableRequestsAreRefusedWithAnErrorText)
{
    SimDevice d(1);
    Reply r = askOne(d, 59, "1234");
    EXPECT_EQ(r.command, 13);
    EXPECT_EQ(r.text, "Unknown key 1234");
    // The Q7300A has no FireWire outputs.
    EXPECT_EQ(askOne(d, 59, "10010848").command, 13);
    EXPECT_EQ(askOne(d, 59, "").command, 13);
    EXPECT_EQ(askOne(d, 59, "10010016 7").command, 13);
    EXPECT_EQ(askOne(d, 59, "zz").command, 13);
    r = askOne(d, 62, "-3");
    EXPECT_EQ(r.command, 13);
    EXPECT_EQ(r.text, "Unknown command 62");
}

TEST(SimRequests, SetValueStoresLegalValuesAndRefusesOthers)
{
    SimDevice d(0);
    const auto& dest = destinationWith(d, true); // MAINinL node 0: 9 choices
    ASSERT_EQ(dest.name, "MAINinL 0");
    ASSERT_EQ(dest.choices, 9);
    char text[64];

    std::snprintf(text, sizeof text, "%lx 8", dest.key);
    EXPECT_TRUE(ask(d, request(60, text)).empty()) << "a set gets no answer without echo";
    EXPECT_EQ(*d.Value(dest.key), 8);
    std::snprintf(text, sizeof text, "%lx 99", dest.key);
    EXPECT_TRUE(ask(d, request(60, text)).empty());
    EXPECT_EQ(*d.Value(dest.key), 99);

    const std::string before = d.Dump();
    for (const char* bad : { "%lx 9", "%lx -1", "%lx 98", "%lx 3x", "%lx 3.5", "%lx", "%lx 4 4",
             "%lx 99999999999999999999" }) {
        std::snprintf(text, sizeof text, bad, dest.key);
        const Reply r = askOne(d, 60, text);
        EXPECT_EQ(r.command, 13) << text;
    }
    std::snprintf(text, sizeof text, "%lx 9", dest.key);
    EXPECT_EQ(askOne(d, 60, text).text, "Value 9 out of range 0..8 or 99 for key 1001081a");
    EXPECT_EQ(askOne(d, 60, "1001082d 2").text, "Value 2 out of range 0..1 for key 1001082d");
    EXPECT_EQ(askOne(d, 60, "10010016 256").command, 13);
    EXPECT_EQ(askOne(d, 60, "1001 3").text, "Unknown key 1001");
    EXPECT_EQ(d.Dump(), before) << "refused sets change nothing";

    EXPECT_TRUE(ask(d, request(60, "1001082d 1")).empty());
    EXPECT_TRUE(ask(d, request(60, "10010016 2")).empty());
    EXPECT_EQ(*d.Value(0x1001082d), 1);
    EXPECT_EQ(*d.Value(SimModel::kModeKey), 2);
}

TEST(SimRequests, SetGainStoresWithinTheRangeAndRefusesOthers)
{
    SimDevice d(2);
    EXPECT_TRUE(ask(d, request(45, "10030013 -6.500000")).empty());
    EXPECT_DOUBLE_EQ(*d.GainOf(0x10030013), -6.5);
    EXPECT_TRUE(ask(d, request(45, "10030013 12.000000")).empty());
    EXPECT_DOUBLE_EQ(*d.GainOf(0x10030013), 12.0);
    // The fractional form of the set command reaches gains too.
    EXPECT_TRUE(ask(d, request(60, "10030013 -3.5000")).empty());
    EXPECT_DOUBLE_EQ(*d.GainOf(0x10030013), -3.5);

    const std::string before = d.Dump();
    EXPECT_EQ(askOne(d, 45, "10030013 12.500000").text,
        "Level 12.500000 out of range -12.000000..12.000000 for key 10030013");
    for (const char* bad : { "10030013 nan", "10030013 inf", "10030013 -inf", "10030013 1e999",
             "10030013 0x10", "10030013", "10030013 -1.0 2", "1001081a -1.000000", "10030013 --1" })
        EXPECT_EQ(askOne(d, 45, bad).command, 13) << bad;
    EXPECT_EQ(d.Dump(), before);
}

TEST(SimRequests, EchoAnswersAcceptedSetsWithValueReports)
{
    SimDevice d(2);
    d.SetEcho(true);
    Reply r = askOne(d, 60, "10010016 2");
    EXPECT_EQ(r.command, 60);
    EXPECT_EQ(r.text, "10010016 2");
    r = askOne(d, 60, "1001081a 12");
    EXPECT_EQ(r.text, "1001081a c");
    r = askOne(d, 45, "10030013 -1.500000");
    EXPECT_EQ(r.command, 46);
    EXPECT_EQ(r.text, "10030013 -1.500000");
    // A refused set is answered by its error text only.
    const auto replies = ask(d, request(60, "1001081a 100"));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replyOf(replies[0]).command, 13);
}

TEST(SimRequests, OtherTrafficIsIgnoredOrOnlyNoted)
{
    SimDevice d(2);
    std::vector<std::string> log;
    d.SetLog([&](bool, const SimBytes&, const std::string& what) { log.push_back(what); });
    // A keypress is noted, not answered; its code travels as eight nibbles.
    EXPECT_TRUE(ask(d, request(1, std::string { 0, 0, 0, 0, 1, 2, 3, 4 })).empty());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "keypress 1234");
    // Another maker's message, a frame cut short and stray bytes get nothing.
    EXPECT_TRUE(ask(d, SimBytes { 0xF0, 0x41, 0x70, 0x01, 0x3B, 0x30, 0xF7 }).empty());
    EXPECT_TRUE(ask(d, SimBytes { 0xF0, 0x7D, 0x70, 0x01, 0x3B, 0x30 }).empty());
    EXPECT_TRUE(ask(d, SimBytes { 0xF0, 0x7D, 0xF7 }).empty());
    EXPECT_TRUE(ask(d, SimBytes { 0xC2, 0x0A }).empty());
    // Real-time bytes inside a message are skipped.
    SimBytes withClock = request(59, "10010016");
    withClock.insert(withClock.begin() + 6, 0xF8);
    withClock.insert(withClock.begin() + 2, 0xFE);
    const auto replies = ask(d, withClock);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replyOf(replies[0]).text, "10010016 5");
}
