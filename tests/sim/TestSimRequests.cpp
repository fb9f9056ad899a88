// Each request form the editor and its key scripts send, and what the
// simulated device answers and stores.
#include "SimTestSupport.h"

#include <gtest/gtest.h>

TEST(SimRequests, RepliesStoresAndRefusals)
{
    // Run in order on one device per model; a request refused with command 13
    // must leave the device's state as it was.
    const struct {
        int model;
        unsigned char command;
        const char* text;
        int replyCommand; // -1: no reply
        const char* reply;
    } rows[] = {
        { 0, 49, "0 1", 50, "COL 1 0 0 'Q7300" },
        { 1, 49, "0 1", 50, "COL 1 0 0 'Q7300A" },
        { 2, 49, "0 1", 50, "COL 1 0 0 'Q7300FW" },
        { 0, 49, "10030013 3", 50,
            "NUM 3 10030013 0 'ANAin 0 level' 'dB' 0.000000 -12.000000 12.000000 0.500000" },
        { 0, 49, "1001081a 3", 13, "No object information for key 1001081a" },
        { 0, 49, "10010085 2", 13, "No object information 2 for key 10010085" },
        { 0, 49, "10010085", 13, nullptr },
        { 2, 59, "10010016", 60, "10010016 5" },
        { 0, 59, "10010848", 13, "Unknown key 10010848" }, // FireWire outputs: FW only
        { 0, 59, "", 13, nullptr },
        { 0, 59, "10010016 7", 13, nullptr },
        { 0, 59, "zz", 13, nullptr },
        { 0, 62, "-3", 13, "Unknown command 62" },
        // Sets are not answered; values travel back in hexadecimal.
        { 0, 60, "1001081a 8", -1, nullptr },
        { 0, 60, "1001081a 99", -1, nullptr },
        { 0, 59, "1001081a", 60, "1001081a 63" },
        { 0, 60, "0x1001081a 3", -1, nullptr }, // as key scripts send it
        { 0, 59, "1001081a", 60, "1001081a 3" },
        { 0, 60, "1001081a 9", 13, "Value 9 out of range 0..8 or 99 for key 1001081a" },
        { 0, 60, "1001082d 2", 13, "Value 2 out of range 0..1 for key 1001082d" },
        { 0, 60, "1001 3", 13, "Unknown key 1001" },
        { 0, 60, "10010016 256", 13, nullptr },
        { 0, 60, "1001081a -1", 13, nullptr },
        { 0, 60, "1001081a 98", 13, nullptr },
        { 0, 60, "1001081a 3x", 13, nullptr },
        { 0, 60, "1001081a 3.5", 13, nullptr },
        { 0, 60, "1001081a 4 4", 13, nullptr },
        { 0, 60, "1001081a 99999999999999999999", 13, nullptr },
        { 0, 60, "10010016 2", -1, nullptr },
        { 0, 59, "10010016", 60, "10010016 2" },
        // Gains: by their own command and by the fractional form of the set.
        { 0, 45, "10030013 -6.500000", -1, nullptr },
        { 0, 60, "0x10030013 -3.5000", -1, nullptr },
        { 0, 49, "10030013 3", 50,
            "NUM 3 10030013 0 'ANAin 0 level' 'dB' -3.500000 -12.000000 12.000000 0.500000" },
        { 0, 45, "10030013 12.500000", 13,
            "Level 12.500000 out of range -12.000000..12.000000 for key 10030013" },
        { 0, 45, "10030013 nan", 13, nullptr },
        { 0, 45, "10030013 inf", 13, nullptr },
        { 0, 45, "10030013 1e999", 13, nullptr },
        { 0, 45, "10030013 0x10", 13, nullptr },
        { 0, 45, "10030013", 13, nullptr },
        { 0, 45, "10030013 -1.0 2", 13, nullptr },
        { 0, 45, "1001081a -1.000000", 13, nullptr },
        { 0, 45, "10030013 --1", 13, nullptr },
    };
    SimDevice devices[] = { SimDevice(0), SimDevice(1), SimDevice(2) };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.model) + ": " + std::to_string(r.command) + " " + r.text);
        SimDevice& d = devices[r.model];
        const std::string before = d.Dump();
        const auto replies = ask(d, request(r.command, r.text));
        if (r.replyCommand < 0) {
            EXPECT_TRUE(replies.empty());
            continue;
        }
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_EQ(replyOf(replies[0]).command, r.replyCommand);
        if (r.reply) {
            EXPECT_EQ(replyOf(replies[0]).text, r.reply);
        }
        if (r.replyCommand == 13) {
            EXPECT_EQ(d.Dump(), before);
        }
    }
    // Replies carry the device id the request came with.
    const auto replies = ask(devices[0], request(49, "0 1", 0x05));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0][3], 0x05);
}

TEST(SimRequests, IdentityReplyNamesMakerFamilyAndModel)
{
    SimDevice fw(2);
    const auto replies = ask(fw, SimBytes { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 });
    ASSERT_EQ(replies.size(), 1u);
    SimBytes expected { 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x7D, 0x70, 0x00, 0x03, 0x00, 0x00, 0x00,
        0x00, 0x01 };
    for (char c : std::string("Q7300FW simulator"))
        expected.push_back(static_cast<unsigned char>(c));
    expected.push_back(0x00); // the text ends before the F7
    expected.push_back(0xF7);
    EXPECT_EQ(hexBytes(replies[0]), hexBytes(expected));
}

TEST(SimRequests, EchoAnswersAcceptedSetsWithValueReports)
{
    SimDevice d(2);
    d.SetEcho(true);
    EXPECT_EQ(askOne(d, 60, "1001081a 12").text, "1001081a c");
    const Reply gain = askOne(d, 45, "10030013 -1.500000");
    EXPECT_EQ(gain.command, 46);
    EXPECT_EQ(gain.text, "10030013 -1.500000");
    EXPECT_EQ(askOne(d, 60, "1001081a 100").command, 13) << "a refused set: its error only";
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
    for (const SimBytes& m : { SimBytes { 0xF0, 0x41, 0x70, 0x01, 0x3B, 0x30, 0xF7 },
             SimBytes { 0xF0, 0x7D, 0x70, 0x01, 0x3B, 0x30 }, SimBytes { 0xF0, 0x7D, 0xF7 },
             SimBytes { 0xC2, 0x0A } })
        EXPECT_TRUE(ask(d, m).empty());
    // Real-time bytes inside a message are skipped.
    SimBytes withClock = request(59, "10010016");
    withClock.insert(withClock.begin() + 6, 0xF8);
    withClock.insert(withClock.begin() + 2, 0xFE);
    const auto replies = ask(d, withClock);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replyOf(replies[0]).text, "10010016 5");
}
