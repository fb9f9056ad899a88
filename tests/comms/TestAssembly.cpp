// Assembly of received data into whole messages and their dispatch, fed as
// real byte sequences in every possible split.
#include "CommsTestSupport.h"
#include "MessageBoxScript.h"
#include "Nibble.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QVariant>

namespace {

Bytes cat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

const Bytes kIdentity { 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x7D, 0x10, 0x00, 0x05, 0x00, 0x01, 0x02,
    0x03, 0x04, 0x41, 0x42, 0x00, 0xF7 };
const char* kIdentityLine = "IDENTITY_REPLY: manuf(7d) Family(010) Member(05) Version(4.3.2.1)";

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

} // namespace

class Assembly : public ::testing::Test {
protected:
    ScopedSettings settings;
    RecordingProcessor p;

    // Feeds `stream` cut at the given points; returns each call's result.
    std::vector<int> feedSplit(const Bytes& stream, const std::vector<size_t>& cuts)
    {
        std::vector<int> results;
        size_t from = 0;
        for (size_t i = 0; i <= cuts.size(); ++i) {
            const size_t to = i < cuts.size() ? cuts[i] : stream.size();
            results.push_back(p.feed(Bytes(stream.begin() + from, stream.begin() + to)));
            from = to;
        }
        return results;
    }
};

TEST_F(Assembly, ThreePiecesDispatchOnceAfterTheLast)
{
    const Bytes m = framed(60, "10010016 3");
    EXPECT_EQ(feedSplit(m, { 3, 9 }), (std::vector<int> { 1, 0, 0 }));
    ASSERT_EQ(p.events.size(), 1u);
    EXPECT_EQ(p.events[0].kind, "text");
    EXPECT_EQ(p.events[0].command, 60);
    EXPECT_EQ(p.events[0].text, "10010016 3");
}

TEST_F(Assembly, EverySplitOfSeveralMessagesGivesTheSameDispatch)
{
    const std::vector<Bytes> streams {
        framed(60, "  10010016 3\r\n"),
        kIdentity,
        framed(64, std::string("\x01\x0A\x0F\x00", 4)),
        cat({ framed(50, "COL 0 0 0 'Q7300"), framed(46, "2c -3.5") }),
    };
    for (const Bytes& stream : streams) {
        RecordingProcessor whole;
        whole.feed(stream);
        ASSERT_FALSE(whole.events.empty());
        // One processor for all splits: whatever a split leaves behind would
        // show in the next.
        RecordingProcessor split;
        for (size_t a = 0; a <= stream.size(); ++a) {
            for (size_t b = a; b <= stream.size(); ++b) {
                split.events.clear();
                size_t cuts[2] = { a, b };
                size_t from = 0;
                for (size_t i = 0; i < 3; ++i) {
                    const size_t to = i < 2 ? cuts[i] : stream.size();
                    const Bytes piece(stream.begin() + from, stream.begin() + to);
                    const int r = split.feed(piece);
                    // 1 exactly when this piece opened a message it did not close.
                    bool open = false;
                    for (unsigned char c : piece)
                        open = c == 0xF0 ? true : (c == 0xF7 ? false : open);
                    ASSERT_EQ(r, open ? 1 : 0) << "cut at " << a << "," << b << " piece " << i;
                    from = to;
                }
                ASSERT_EQ(split.events.size(), whole.events.size()) << "cut at " << a << "," << b;
                for (size_t e = 0; e < whole.events.size(); ++e) {
                    ASSERT_EQ(split.events[e].command, whole.events[e].command);
                    ASSERT_EQ(split.events[e].text, whole.events[e].text)
                        << "cut at " << a << "," << b;
                }
            }
        }
    }
}

TEST_F(Assembly, RealTimeBytesInsideAMessageAreSkipped)
{
    Bytes m = framed(60, "1f 2");
    m.insert(m.begin() + 6, 0xF8);
    m.insert(m.begin() + 2, 0xFE);
    m.insert(m.end() - 1, 0xFF);
    feedSplit(m, { 4 });
    p.feed({ 0xF8 }); // between messages too
    ASSERT_EQ(p.events.size(), 1u);
    EXPECT_EQ(p.events[0].text, "1f 2");
}

TEST_F(Assembly, StrayBytesAndUnterminatedMessagesDoNotCorruptTheNext)
{
    // A channel message before the reply, then a reply whose 0xF7 was lost,
    // then a good reply: only the good one is dispatched, intact.
    p.feed({ 0x90, 0x40, 0x7F });
    p.feed(cat({ framed(60, "1 1"), {} }));
    p.feed(Bytes { 0xF0, 0x7D, 0x70, 0x01, 60, '9', '9' });
    p.feed(framed(60, "a 2"));
    ASSERT_EQ(p.events.size(), 2u);
    EXPECT_EQ(p.events[0].text, "1 1");
    EXPECT_EQ(p.events[1].text, "a 2");
    // Status bytes other than 0xF0 and 0xF7 inside a message are data.
    p.feed(Bytes { 0xF0, 0x7D, 0x70, 0x01, 90, 0x85, 0xF3, 0xF7 });
    ASSERT_EQ(p.events.size(), 3u);
    EXPECT_EQ(p.events[2].text, std::string("\x5A\x85\xF3", 3));
}

TEST_F(Assembly, ShortAndEmptyMessagesAreDropped)
{
    EXPECT_EQ(p.feed({ 0xF7 }), 0);
    p.feed({ 0xF0, 0xF7 });
    p.feed({ 0xF0, 0x7D, 0xF7 });
    p.feed({ 0xF0, 0x7D, 0x70, 0xF7 });
    p.feed({ 0xF0, 0x7D, 0x70, 0x01, 0xF7 }); // header without a command
    p.feed({ 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xF7 }); // no 0xF0 at all
    EXPECT_TRUE(p.events.empty());
    EXPECT_EQ(p.ProcessMidiMsg(nullptr, nullptr), 0);
    // The smallest message with a command has an empty payload.
    p.feed({ 0xF0, 0x7D, 0x70, 0x01, 60, 0xF7 });
    ASSERT_EQ(p.events.size(), 1u);
    EXPECT_EQ(p.events[0].text, "");
}

TEST_F(Assembly, ClosedTransportReleasesDataAndKeepsTheBuffer)
{
    const Bytes m = framed(60, "5 5");
    EXPECT_EQ(p.feed(Bytes(m.begin(), m.begin() + 6)), 1);
    p.transport->open = false;
    EXPECT_EQ(p.feed({ 'x', 'y' }), 2);
    p.transport->open = true;
    EXPECT_EQ(p.feed(Bytes(m.begin() + 6, m.end())), 0);
    ASSERT_EQ(p.events.size(), 1u);
    EXPECT_EQ(p.events[0].text, "5 5");
}

TEST_F(Assembly, ReentryIsRefusedWithMessageOverrun)
{
    MessageBoxScript boxes;
    int inner = -1;
    p.onText = [&] {
        p.onText = nullptr;
        inner = p.feed(framed(60, "inner 1"));
    };
    EXPECT_EQ(p.feed(framed(60, "outer 1")), 0);
    EXPECT_EQ(inner, 3);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "ZorvantaMidiProcessor");
    EXPECT_EQ(boxes.boxes()[0].text, "message overrun");
    EXPECT_EQ(boxes.boxes()[0].icon, 2);
    ASSERT_EQ(p.events.size(), 1u);
    // Assembly goes on normally afterwards.
    p.feed(framed(60, "next 1"));
    ASSERT_EQ(p.events.size(), 2u);
    EXPECT_EQ(p.events[1].text, "next 1");
}

TEST_F(Assembly, IdentityReplies)
{
    p.feed(kIdentity);
    ASSERT_EQ(p.events.size(), 1u);
    EXPECT_EQ(p.events[0].command, 0);
    EXPECT_EQ(p.events[0].text, std::string(kIdentityLine) + "\r\nAB");
    ASSERT_EQ(p.identityTexts.size(), 1u);
    EXPECT_EQ(p.identityTexts[0], "AB");

    Bytes other = kIdentity;
    other[5] = 0x10;
    p.feed(other);
    ASSERT_EQ(p.events.size(), 2u);
    EXPECT_EQ(
        p.events[1].text, "IDENTITY_REPLY: manuf(10) Family(010) Member(05) Version(4.3.2.1)");

    p.feed({ 0xF0, 0x7E, 0x00, 0x06, 0x02, 0xF7 }); // without its data
    p.feed({ 0xF0, 0x7E, 0x00, 0x06, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0xF7 }); // a request, not a reply
    EXPECT_EQ(p.events.size(), 2u);

    p.consumeIdentity = 1; // a consumer of the extra text drops the line
    p.feed(kIdentity);
    EXPECT_EQ(p.events.size(), 2u);
}

TEST_F(Assembly, HexadecimalTextOfCommand64)
{
    p.feed(framed(64, std::string("\x01\x0A\x0F\x00", 4)));
    p.feed(framed(64, ""));
    p.feed(framed(64, std::string("\x01\x0A\x0F", 3))); // an odd count keeps its last digit
    p.feed(framed(64, std::string(40, '\x01'))); // only the first 32 bytes are shown
    ASSERT_EQ(p.events.size(), 4u);
    EXPECT_EQ(p.events[0].text, "1A F0");
    EXPECT_EQ(p.events[1].text, "");
    EXPECT_EQ(p.events[2].text, "1A F");
    std::string expected;
    for (int i = 0; i < 16; ++i)
        expected += i ? " 11" : "11";
    EXPECT_EQ(p.events[3].text, expected);
}

TEST_F(Assembly, TextRepliesAreTrimmed)
{
    p.feed(framed(60, "  10010016 3\r\n"));
    p.feed(framed(50, "\x85 COL 0 \x90"));
    p.feed(framed(46, "   \t "));
    ASSERT_EQ(p.events.size(), 3u);
    EXPECT_EQ(p.events[0].text, "10010016 3");
    EXPECT_EQ(p.events[1].text, "COL 0");
    EXPECT_EQ(p.events[2].text, "");
    for (int c : { 8, 10, 25, 34, 44, 45, 46, 50, 52, 54, 60, 70, 73, 75, 77, 79, 81 }) {
        p.events.clear();
        p.feed(framed(static_cast<unsigned char>(c), "t"));
        ASSERT_EQ(p.events.size(), 1u);
        EXPECT_EQ(p.events[0].kind, "text") << c;
    }
}

TEST_F(Assembly, UnknownAndDisabledCommands)
{
    p.feed(framed(90, "ab"));
    p.feed(framed(5, "c"));
    p.feed(framed(12, "d"));
    p.EnableDefaultHandler(60, 0);
    p.EnableDefaultHandler(200, 0); // ignored
    p.feed(framed(60, "1 2"));
    ASSERT_EQ(p.events.size(), 4u);
    for (const auto& e : p.events)
        EXPECT_EQ(e.kind, "unknown");
    EXPECT_EQ(p.events[0].text, "Zab"); // 90 = 'Z', then the payload
    EXPECT_EQ(p.events[1].command, 5);
    EXPECT_EQ(p.events[2].command, 12);
    EXPECT_EQ(p.events[3].text, "<1 2");
    p.EnableDefaultHandler(60, 1);
    p.feed(framed(60, "1 2"));
    EXPECT_EQ(p.events.back().kind, "text");
}

TEST_F(Assembly, DeviceErrorTextsGoToTheErrorWindow)
{
    ErrorTexts errors;
    p.feed(framed(13, "Bad key 123"));
    p.feed(framed(60, "1 1")); // assembly goes on
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0], "Bad key 123");
    EXPECT_EQ(p.events.size(), 1u);
}

TEST_F(Assembly, ProgramNumberListsAndBinaryFiles)
{
    auto prognums = [](std::initializer_list<unsigned char> bytes) {
        std::string s;
        for (unsigned char b : bytes) {
            s += static_cast<char>(b >> 4);
            s += static_cast<char>(b & 15);
        }
        return s;
    };
    p.feed(framed(48, prognums({ 2, 1, 5, 3, 0 })));
    p.feed(framed(48, prognums({ 9, 1, 5 }))); // claims 9 pairs, holds one
    p.feed(framed(48, ""));
    ASSERT_EQ(p.events.size(), 3u);
    EXPECT_EQ(p.events[0].command, 2);
    EXPECT_EQ(p.events[0].text, "1/5;3/0;");
    EXPECT_EQ(p.events[1].command, 1);
    EXPECT_EQ(p.events[2].command, 0);

    p.events.clear();
    p.feed(framed(21, std::string("\x01\x02\x03", 3)));
    ASSERT_EQ(p.events.size(), 1u);
    EXPECT_EQ(p.events[0].kind, "binary");
    EXPECT_EQ(p.events[0].text, std::string("\x01\x02\x03", 3));
}

TEST_F(Assembly, OneMebibyteMessageInPiecesAndWhole)
{
    std::string payload(1 << 20, '\0');
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>((i * 7) & 0x7F);
    const Bytes m = framed(90, payload);
    for (size_t piece : { size_t(256), m.size() }) {
        p.events.clear();
        int opened = 0;
        for (size_t at = 0; at < m.size(); at += piece)
            opened += p.feed(Bytes(m.begin() + at, m.begin() + std::min(m.size(), at + piece)));
        EXPECT_EQ(opened, piece == m.size() ? 0 : 1);
        ASSERT_EQ(p.events.size(), 1u);
        ASSERT_EQ(p.events[0].text.size(), payload.size() + 1);
        EXPECT_TRUE(p.events[0].text.compare(1, std::string::npos, payload) == 0);
    }
}

TEST_F(Assembly, EndlessDataIsBoundedAndDroppedWithAnErrorText)
{
    ErrorTexts errors;
    const Bytes chunk(1 << 20, 0x11);
    p.feed({ 0xF0, 0x7D, 0x70, 0x01, 90 });
    for (int i = 0; i < 66; ++i)
        p.feed(chunk); // 66 MiB without an end
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_NE(errors.texts[0].find("67108864"), std::string::npos);
    p.feed({ 0x11, 0x11, 0xF7 }); // the end of the dropped message dispatches nothing
    EXPECT_TRUE(p.events.empty());
    p.feed(framed(60, "1 1"));
    ASSERT_EQ(p.events.size(), 1u);
    EXPECT_EQ(p.events[0].text, "1 1");
}

TEST_F(Assembly, LimitCountsWholeMessageAndNewStartRecovers)
{
    ErrorTexts errors;
    p.SetAssemblyLimit(16);
    p.feed(framed(60, "0123456789")); // exactly 16 bytes: fits
    ASSERT_EQ(p.events.size(), 1u);
    p.feed(framed(60, "0123456789A")); // 17 bytes: dropped
    EXPECT_EQ(p.events.size(), 1u);
    EXPECT_EQ(errors.texts.size(), 1u);
    p.feed({ 0xF0, 0x7D, 0x70, 1, 60, '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '1', '2' });
    p.feed(framed(60, "ok 1")); // a new start ends the discarding
    ASSERT_EQ(p.events.size(), 2u);
    EXPECT_EQ(p.events[1].text, "ok 1");
}

TEST_F(Assembly, DefaultTextHandlerAppendsToTheWindowText)
{
    ZorvantaMidiProcessor plain;
    auto t = std::make_unique<RecordingTransport>();
    plain.InstallTransport(std::move(t), commMidi);
    QObject window;
    for (const char* text : { "first 1", "second 2" }) {
        const Bytes m = framed(60, text);
        plain.ProcessMidiMsg(new RtMidiMsg(m.data(), m.size()), &window);
    }
    EXPECT_EQ(window.property("windowTitle").toString(), QString("first 1\r\nsecond 2"));
}
