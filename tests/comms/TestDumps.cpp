// Binary dumps, which nothing in the editor sends or asks for: the checks a
// file passes before it is sent, and a received dump saved under its dated
// name, with a warning when it is corrupt.
#include "BinaryDumpFile.h"
#include "CommsTestSupport.h"
#include "MessageBoxScript.h"

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

TEST_F(Dumps, FilesAreCheckedBeforeSendingAndReceivedOnesSavedWarningWhenCorrupt)
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

    // Received: saved as it came under the kind's dated name, a corrupt one too.
    MessageBoxScript received;
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
    EXPECT_TRUE(received.boxes().empty());
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
    ASSERT_EQ(received.boxes().size(), 2u);
    EXPECT_EQ(received.boxes()[1].caption.toStdString(), "Data Transmission Error");
    EXPECT_EQ(received.boxes()[1].text.toStdString(),
        "Bad checksum - file probably corrupt - do not use");
}
