// Assembly of received data into whole messages and their dispatch, fed as
// real byte sequences. (That any split of the data gives the same dispatch is
// the sysex_assembly fuzz target's check.)
#include "CommsTestSupport.h"

namespace {

const Bytes kIdentity { 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x7D, 0x10, 0x00, 0x05, 0x00, 0x01, 0x02,
    0x03, 0x04, 0x41, 0x42, 0x00, 0xF7 };

// Collects the texts given to the remote error window.
class ErrorTexts {
public:
    ErrorTexts()
    {
        previous_ = commsHooks().addErrorText;
        commsHooks().addErrorText = [this](const char* t) { texts.emplace_back(t); };
    }
    ~ErrorTexts() { commsHooks().addErrorText = previous_; }
    std::vector<std::string> texts;

private:
    std::function<void(const char*)> previous_;
};

std::vector<std::string> textsOf(const std::vector<Dispatched>& events)
{
    std::vector<std::string> out;
    for (const Dispatched& e : events)
        out.push_back(e.text);
    return out;
}

} // namespace

class Assembly : public ::testing::Test {
protected:
    ScopedSettings settings;
    RecordingProcessor p;
};

TEST_F(Assembly, NoiseAroundAndInsideMessagesIsDropped)
{
    Bytes clocked = framed(60, "1f 2");
    clocked.insert(clocked.begin() + 6, 0xF8);
    clocked.insert(clocked.begin() + 2, 0xFE);
    p.feed(Bytes(clocked.begin(), clocked.begin() + 4));
    p.feed(Bytes(clocked.begin() + 4, clocked.end()));
    p.feed({ 0xF8 });
    p.feed({ 0x90, 0x40, 0x7F }); // a channel message between replies
    p.feed({ 0xF0, 0x7D, 0x70, 0x01, 60, '9', '9' }); // its 0xF7 was lost
    p.feed(framed(60, "a 2"));
    for (const Bytes& shortOne : { Bytes { 0xF7 }, Bytes { 0xF0, 0xF7 }, Bytes { 0xF0, 0x7D, 0xF7 },
             Bytes { 0xF0, 0x7D, 0x70, 0x01, 0xF7 }, Bytes { 1, 2, 3, 4, 5, 6, 0xF7 } })
        p.feed(shortOne);
    p.feed({ 0xF0, 0x7D, 0x70, 0x01, 60, 0xF7 }); // the smallest message with a command
    // Status bytes other than 0xF0 and 0xF7 inside a message are data.
    p.feed({ 0xF0, 0x7D, 0x70, 0x01, 90, 0x85, 0xF3, 0xF7 });
    EXPECT_EQ(textsOf(p.events),
        (std::vector<std::string> { "1f 2", "a 2", "", std::string("\x5A\x85\xF3", 3) }));
}

TEST_F(Assembly, IdentityReplies)
{
    p.feed(kIdentity);
    Bytes other = kIdentity;
    other[5] = 0x10;
    p.feed(other);
    p.feed({ 0xF0, 0x7E, 0x00, 0x06, 0x02, 0xF7 }); // without its data
    p.feed({ 0xF0, 0x7E, 0x00, 0x06, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF7 }); // a request
    p.consumeIdentity = 1; // a consumer of the extra text drops the line
    p.feed(kIdentity);
    ASSERT_EQ(p.events.size(), 2u);
    EXPECT_EQ(p.events[0].command, 0);
    EXPECT_EQ(p.events[0].text,
        "IDENTITY_REPLY: manuf(7d) Family(010) Member(05) Version(4.3.2.1)\r\nAB");
    EXPECT_EQ(
        p.events[1].text, "IDENTITY_REPLY: manuf(10) Family(010) Member(05) Version(4.3.2.1)");
    EXPECT_EQ(p.identityTexts.front(), "AB");
}

TEST_F(Assembly, TextRepliesTrimmedAndCommand64AsHexadecimal)
{
    p.feed(framed(60, "  10010016 3\r\n"));
    p.feed(framed(50, "\x85 COL 0 \x90"));
    p.feed(framed(46, "   \t "));
    p.feed(framed(64, std::string("\x01\x0A\x0F\x00", 4)));
    p.feed(framed(64, std::string("\x01\x0A\x0F", 3))); // an odd count keeps its last digit
    p.feed(framed(64, std::string(40, '\x01'))); // only the first 32 bytes are shown
    std::string sixteen = "11";
    for (int i = 1; i < 16; ++i)
        sixteen += " 11";
    EXPECT_EQ(textsOf(p.events),
        (std::vector<std::string> { "10010016 3", "COL 0", "", "1A F0", "1A F", sixteen }));
}

TEST_F(Assembly, UnknownAndDisabledCommandsErrorTextsAndProgramLists)
{
    ErrorTexts errors;
    p.feed(framed(90, "ab"));
    p.feed(framed(12, "d"));
    p.EnableDefaultHandler(60, 0);
    p.EnableDefaultHandler(200, 0); // ignored
    p.feed(framed(60, "1 2"));
    p.EnableDefaultHandler(60, 1);
    p.feed(framed(13, "Bad key 123"));
    p.feed(framed(48, std::string("\x00\x02\x00\x01\x00\x05\x00\x03\x00\x00", 10)));
    p.feed(framed(48, std::string("\x00\x09\x00\x01\x00\x05", 6))); // claims 9 pairs, holds one
    p.feed(framed(60, "1 2"));
    ASSERT_EQ(p.events.size(), 7u);
    EXPECT_EQ(p.events[0].kind, "unknown");
    EXPECT_EQ(p.events[0].text, "Zab"); // 90 = 'Z', then the payload
    EXPECT_EQ(p.events[1].command, 12);
    EXPECT_EQ(p.events[2].kind, "unknown");
    EXPECT_EQ(p.events[2].text, "<1 2");
    EXPECT_EQ(p.events[3].kind, "error");
    EXPECT_EQ(errors.texts, std::vector<std::string> { "Bad key 123" });
    EXPECT_EQ(p.events[4].kind, "prognums");
    EXPECT_EQ(p.events[4].text, "1/5;3/0;");
    EXPECT_EQ(p.events[5].command, 1);
    EXPECT_EQ(p.events[6].kind, "text");
}

TEST_F(Assembly, LimitCountsTheWholeMessageAndANewStartRecovers)
{
    ErrorTexts errors;
    p.SetAssemblyLimit(16);
    p.feed(framed(60, "0123456789")); // exactly 16 bytes: fits
    p.feed(framed(60, "0123456789A")); // 17 bytes: dropped
    ASSERT_EQ(errors.texts.size(), 1u);
    p.feed({ 0xF0, 0x7D, 0x70, 1, 60, '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '1', '2' });
    p.feed(framed(60, "ok 1")); // a new start ends the discarding
    EXPECT_EQ(textsOf(p.events), (std::vector<std::string> { "0123456789", "ok 1" }));
    EXPECT_EQ(errors.texts.size(), 2u);

    // Without a limit set, a message stops at 64 MiB.
    RecordingProcessor fresh;
    fresh.feed({ 0xF0, 0x7D, 0x70, 0x01, 90 });
    const Bytes chunk(1 << 20, 0x11);
    for (int i = 0; i < 65 && errors.texts.size() == 2; ++i)
        fresh.feed(chunk);
    ASSERT_EQ(errors.texts.size(), 3u);
    EXPECT_NE(errors.texts[2].find("67108864"), std::string::npos);
}
