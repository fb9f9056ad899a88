// Binary dumps and raw system-exclusive files: the checks a file passes before
// it is sent, the shortened image of a program bank, dumps received and saved
// under their dated names, and raw files sent as they are.
#include "BinaryDumpFile.h"
#include "CommsTestSupport.h"
#include "MessageBoxScript.h"

#include <QObject>
#include <QVariant>

namespace {

class Dumps : public ::testing::Test {
protected:
    Dumps()
    {
        previousDate = setDumpDateSource([] { return QDate(2026, 12, 5); });
    }
    ~Dumps() override { setDumpDateSource(previousDate); }
    std::string put(const Bytes& bytes, const char* name = "d.bin")
    {
        return writeBytes(dir + "/" + name, bytes);
    }
    // Sends the file as a dump of this kind; returns the boxes shown.
    std::vector<MessageBoxScript::Box> send(const std::string& path, int kind = 21)
    {
        MessageBoxScript boxes;
        files.choose(path);
        p.SendDump(kind);
        return boxes.boxes();
    }

    ScopedSettings settings;
    std::string dir = TestEnv::freshDir("dumps");
    DumpDateSource previousDate;
    FileAnswers files;
    RecordingProcessor p;
    RecordingTransport& t = *p.transport;
};

} // namespace

TEST_F(Dumps, FilesAreCheckedBeforeAnythingIsSent)
{
    const Bytes good = dumpFileOf(sectionedData(30, 0, 0));
    auto with = [](Bytes b, size_t at, int add) {
        b[at] = static_cast<unsigned char>((b[at] + add) & 0xF);
        return b;
    };
    auto plus = [](Bytes b, const Bytes& tail) {
        b.insert(b.end(), tail.begin(), tail.end());
        return b;
    };
    Bytes endsEarly = dumpFileOf(Bytes { 0xFC, 1, 2, 3 }); // 4 + 0xFC: the sum stops at 0
    endsEarly[10] = 0xF7;
    Bytes hostile(20, 0); // length 0xFFFFFFFF: 2n + 10 wraps in 32 bits
    std::fill(hostile.begin(), hostile.begin() + 8, 0xF);
    Bytes big(20002); // well-formed, beyond two reading blocks
    const Bytes bigData = sectionedData(9996, 0, 0);
    big = dumpFileOf(bigData);
    const struct {
        const char* what;
        Bytes file;
        const char* refusal; // null: sent
    } cases[] = {
        { "good", good, nullptr },
        { "odd trailing nibble, not sent", plus(good, { 1 }), nullptr },
        { "large", big, nullptr },
        { "two bytes more", plus(good, { 0, 0 }), "Faulty File (bad length)" },
        { "two bytes less", Bytes(good.begin(), good.end() - 2), "Faulty File (bad length)" },
        { "empty", {}, "Faulty File (bad length)" },
        { "length field wraps", hostile, "Faulty File (bad length)" },
        { "wraps to zero", { 7, 0xF, 0xF, 0xF, 0xF, 0xF, 0xF, 0xB }, "Faulty File (bad length)" },
        { "sum off by one", with(good, 9, 1), "Faulty File (bad checksum)" },
        // The checksum 16 too high, and a trailing 15 that, counted as a high
        // nibble, would bring the sum back to 0.
        { "trailing nibble does not count", plus(with(good, good.size() - 2, 1), { 15 }),
            "Faulty File (bad checksum)" },
        { "byte above 15", endsEarly, "Faulty File (bad data)" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        t.sent.clear();
        const auto boxes = send(put(c.file));
        if (!c.refusal) {
            EXPECT_TRUE(boxes.empty());
            ASSERT_EQ(t.sent.size(), 1u);
            EXPECT_EQ(t.sent[0],
                framed(21, std::string(c.file.begin(), c.file.end() - c.file.size() % 2)));
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption.toStdString(), c.refusal);
        EXPECT_EQ(boxes[0].text.toStdString(), "Cannot send ..");
        EXPECT_TRUE(t.sent.empty());
    }
    EXPECT_TRUE(files.questions.back().open);
    EXPECT_EQ(files.questions.back().proposed, "prog*.bin");
    EXPECT_EQ(files.questions.back().filter, "Binary Files (*.bin)|*.bin|All Files (*.*)|*.*||");

    // A consistent header on a file beyond the bound: refused, nothing read.
    const qint64 size = BinaryDumpFile::kMaxFileBytes + 2;
    const unsigned long n = static_cast<unsigned long>((size - 10) / 2);
    Bytes header(8);
    for (int i = 0; i < 8; ++i)
        header[i] = static_cast<unsigned char>((n >> (28 - 4 * i)) & 0xF);
    const std::string huge = put(header, "huge.bin");
    ASSERT_TRUE(QFile::resize(QString::fromStdString(huge), size));
    const auto boxes = send(huge);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption.toStdString(), "Faulty File (too large)");
}

TEST_F(Dumps, ProgramBankWithSectionsThatCoverOrCannotBeReadGoesWhole)
{
    // The shortened bank itself is sent back to the simulated device in test_sim.
    const struct {
        size_t n;
        unsigned long a, b;
    } whole[] = { { 100, 20, 80 }, { 100, 60, 50 }, { 100, 0, 0 }, { 100, 90, 1 }, { 5, 0, 0 },
        { 14, 1, 1 } };
    for (const auto& c : whole) {
        const Bytes file = dumpFileOf(sectionedData(c.n, c.a, c.b));
        t.sent.clear();
        send(put(file));
        ASSERT_EQ(t.sent.size(), 1u) << c.n << " " << c.a << " " << c.b;
        EXPECT_EQ(t.sent[0], framed(21, std::string(file.begin(), file.end())));
    }
}

TEST_F(Dumps, MissingFileCancelAndTransportErrors)
{
    auto boxes = send(dir + "/absent.bin");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption.toStdString(), "Unable to open file");
    EXPECT_EQ(boxes[0].text.toStdString(), dir + "/absent.bin");
    {
        MessageBoxScript none;
        p.SendDump(21); // nothing chosen
        EXPECT_TRUE(none.boxes().empty());
    }
    t.sendError = 4;
    boxes = send(put(dumpFileOf(Bytes { 1, 2 })));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption.toStdString(), "Comms Error");
    EXPECT_EQ(boxes[0].text.toStdString(), "Can't explain - E4");
}

TEST_F(Dumps, ReceivedDumpsAreSavedUnderTheirDatedNamesCorruptOnesWithAWarning)
{
    MessageBoxScript boxes;
    const Bytes good = dumpFileOf(sectionedData(60, 0, 0));
    const std::pair<int, const char*> kinds[]
        = { { 15, "files" }, { 19, "card" }, { 21, "prog" }, { 22, "setup" }, { 57, "data" } };
    for (const auto& [kind, base] : kinds) {
        const std::string path = dir + "/" + base + ".bin";
        files.choose(path);
        p.feed(framed(static_cast<unsigned char>(kind), std::string(good.begin(), good.end())));
        EXPECT_EQ(files.questions.back().proposed, std::string(base) + "120526.bin");
        EXPECT_FALSE(files.questions.back().open);
        EXPECT_EQ(readBytes(path), good);
    }
    EXPECT_TRUE(boxes.boxes().empty());

    Bytes flipped = good;
    flipped[30] ^= 1;
    Bytes notNibble = dumpFileOf(Bytes { 0xFC, 1, 2, 3 });
    notNibble[10] = 0x10; // adds 0x100: the sum alone stays 0
    for (const Bytes& bad : { flipped, notNibble }) {
        const std::string path = dir + "/bad.bin";
        files.choose(path);
        p.feed(framed(57, std::string(bad.begin(), bad.end())));
        EXPECT_EQ(readBytes(path), bad) << "a corrupt dump is still saved";
    }
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[1].caption.toStdString(), "Data Transmission Error");
    EXPECT_EQ(
        boxes.boxes()[1].text.toStdString(), "Bad checksum - file probably corrupt - do not use");

    // Cancelled, or a folder that does not exist: nothing kept, assembly goes on.
    p.feed(framed(21, std::string(good.begin(), good.end())));
    files.choose(dir + "/no/such/x.bin");
    p.feed(framed(21, std::string(good.begin(), good.end())));
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[2].caption.toStdString(), "Unable to open file");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir + "/no/such/x.bin")));
    p.feed(framed(60, "1 1"));
    EXPECT_EQ(p.of("text").size(), 1u);
}

TEST_F(Dumps, ProgramNumberListReport)
{
    QObject window;
    // Count then pairs, as nibbles (bank -1 is signed).
    p.feed(framed(48, std::string("\x00\x02\x0F\x0F\x07\x0F\x00\x01\x00\x02", 10)), &window);
    EXPECT_EQ(window.property("windowTitle").toString().toStdString(),
        "Machines: 2\r\n(0) Bank: -1 Prog: 127\r\n(1) Bank: 1 Prog: 2\r\n");
    // A long list stops growing once the text passes 923 characters.
    std::vector<prognums_buffer> many(200, prognums_buffer { 10, 100 });
    p.OnPrognumsDump(200, many.data(), &window);
    const std::string text = window.property("windowTitle").toString().toStdString();
    EXPECT_GT(text.size(), 923u);
    EXPECT_LE(text.rfind("\r\n(") + 2, 923u) << "the last entry was added at or below the limit";
}

TEST_F(Dumps, RawFilesAreSentUnchangedAndRemembered)
{
    QObject window;
    auto remembered = [] { return std::string(GetProfileString("Nerilune", "RawSysexFile", "")); };
    // Another maker's message, a stray status byte and a real-time byte: none
    // of it is framed, split or filtered.
    const Bytes content { 0xF0, 0x43, 0x10, 0x4C, 0x00, 0xF7, 0x90, 0xF8, 0xF0, 0x7E, 0x7F, 0x06,
        0x01, 0xF7 };
    const std::string path = put(content, "a.syx");
    files.choose(path);
    EXPECT_EQ(p.SendRaw(&window), 0);
    ASSERT_EQ(t.sent.size(), 1u);
    EXPECT_EQ(t.sent[0], content);
    EXPECT_EQ(t.ReplyWindow(), &window);
    EXPECT_EQ(files.questions[0].proposed, "");
    EXPECT_EQ(files.questions[0].filter,
        "Sysex Files (*.syx)|*.syx|Binary Files (*.bin)|*.bin|All Files (*.*)|*.*||");
    EXPECT_EQ(remembered(), path);
    EXPECT_EQ(p.SendRaw(&window), 0); // cancelled
    EXPECT_EQ(files.questions.back().proposed, path);

    // Failures give their codes; an empty file sends nothing and is no failure.
    files.choose(dir + "/absent.syx");
    EXPECT_EQ(p.SendRaw(&window), -1);
    t.openError = 6;
    t.open = false;
    files.choose(path);
    EXPECT_EQ(p.SendRaw(&window), 6);
    t.openError = 0;
    t.sendError = 3;
    files.choose(path);
    EXPECT_EQ(p.SendRaw(&window), 3);
    t.sendError = 0;
    files.choose(put({}, "empty.syx"));
    EXPECT_EQ(p.SendRaw(&window), 0);
    files.choose(dir); // a folder cannot be read as a file
    EXPECT_NE(p.SendRaw(&window), 0);
    EXPECT_EQ(t.sent.size(), 2u);
}
