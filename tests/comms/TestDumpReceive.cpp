// Dumps received from the device: saved byte-exact under a dated name, with
// the checksum warning on corruption; and the program-number list report.
#include "BinaryDumpFile.h"
#include "DumpTestSupport.h"
#include "MessageBoxScript.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QVariant>

namespace {

// Keeps what the dump handler returned.
class ReceivingProcessor : public DumpProcessor {
public:
    int ProcessBinaryFile(int kind, int length, QObject* window) override
    {
        results.push_back(ZorvantaMidiProcessor::ProcessBinaryFile(kind, length, window));
        return results.back();
    }
    std::vector<int> results;
};

class DumpReceive : public ::testing::Test {
protected:
    DumpReceive()
    {
        previousDate = setDumpDateSource([] { return QDate(2026, 12, 5); });
    }
    ~DumpReceive() override { setDumpDateSource(previousDate); }

    std::string dir = TestEnv::freshDir("dumprecv");
    DumpDateSource previousDate;
    FileAnswers files;
    MessageBoxScript boxes;
    ReceivingProcessor processor;
};

const char* kCorrupt = "Bad checksum - file probably corrupt - do not use";

} // namespace

TEST_F(DumpReceive, DumpIsSavedByteExactUnderItsDatedName)
{
    const Bytes payload = dumpFileOf(sectionedData(5000, 20, 30)); // past a 4096 chunk
    const std::string path = dir + "/prog.bin";
    files.choose(path);
    const Bytes wire = framed(21, std::string(payload.begin(), payload.end()));
    // In three pieces, as a long message arrives.
    EXPECT_EQ(processor.feed(Bytes(wire.begin(), wire.begin() + 3)), 1);
    EXPECT_EQ(processor.feed(Bytes(wire.begin() + 3, wire.begin() + 7000)), 0);
    EXPECT_EQ(processor.feed(Bytes(wire.begin() + 7000, wire.end())), 0);
    EXPECT_EQ(readBytes(path), payload);
    EXPECT_EQ(processor.results, std::vector<int> { 1 });
    EXPECT_TRUE(boxes.boxes().empty());
    ASSERT_EQ(files.questions.size(), 1u);
    EXPECT_FALSE(files.questions[0].open);
    EXPECT_EQ(files.questions[0].proposed, "prog120526.bin");
    EXPECT_EQ(files.questions[0].defaultExtension, "bin");

    // Every kind proposes its own base name.
    const std::pair<int, const char*> kinds[]
        = { { 15, "files" }, { 19, "card" }, { 22, "setup" }, { 57, "data" } };
    for (const auto& [kind, base] : kinds) {
        processor.feed(framed(static_cast<unsigned char>(kind), "\x00"));
        EXPECT_EQ(files.questions.back().proposed, std::string(base) + "120526.bin");
    }
}

TEST_F(DumpReceive, CorruptDumpsAreSavedWithTheWarning)
{
    const Bytes good = dumpFileOf(sectionedData(60, 0, 0));
    struct Case {
        const char* what;
        Bytes payload;
    };
    Bytes flipped = good;
    flipped[30] = static_cast<unsigned char>(flipped[30] ^ 1);
    // Cut short by two data bytes and re-summed: the sum is right, the length is not.
    Bytes cut = dumpFileOf(sectionedData(58, 0, 0));
    for (int i = 0; i < 8; ++i)
        cut[i] = good[i];
    unsigned sum = 0;
    for (size_t i = 0; i + 2 < cut.size(); ++i)
        sum += (i % 2 == 0) ? cut[i] * 16u : cut[i];
    const unsigned check = (256 - sum % 256) % 256;
    cut[cut.size() - 2] = static_cast<unsigned char>(check >> 4);
    cut[cut.size() - 1] = static_cast<unsigned char>(check & 0xF);
    Bytes notNibble = dumpFileOf(Bytes { 0xFC, 1, 2, 3 });
    notNibble[10] = 0x10; // adds 0x100: the sum alone stays 0
    const Case cases[] = { { "one nibble changed", flipped }, { "length disagrees", cut },
        { "byte that is no nibble", notNibble } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageBoxScript shown;
        const std::string path = dir + "/bad.bin";
        files.choose(path);
        processor.feed(framed(57, std::string(c.payload.begin(), c.payload.end())));
        EXPECT_EQ(readBytes(path), c.payload) << "a corrupt dump is still saved";
        ASSERT_EQ(shown.boxes().size(), 1u);
        EXPECT_EQ(shown.boxes()[0].caption.toStdString(), "Data Transmission Error");
        EXPECT_EQ(shown.boxes()[0].text.toStdString(), kCorrupt);
        EXPECT_EQ(shown.boxes()[0].icon, 2);
        EXPECT_EQ(processor.results.back(), 1);
    }
}

TEST_F(DumpReceive, CancelledOrUnwritableFilesKeepNothing)
{
    const Bytes payload = dumpFileOf(Bytes { 1, 2, 3 });
    const std::string text(payload.begin(), payload.end());
    processor.feed(framed(21, text)); // nothing chosen
    EXPECT_EQ(processor.results, std::vector<int> { 0 });
    EXPECT_TRUE(boxes.boxes().empty());

    const std::string nowhere = dir + "/no/such/folder/x.bin";
    files.choose(nowhere);
    processor.feed(framed(21, text));
    EXPECT_EQ(processor.results.back(), 0);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption.toStdString(), "Unable to open file");
    EXPECT_FALSE(fileExists(nowhere));

    // The assembly goes on normally after a dropped dump.
    const std::string path = dir + "/after.bin";
    files.choose(path);
    processor.feed(framed(21, text));
    EXPECT_EQ(readBytes(path), payload);
}

TEST_F(DumpReceive, ProgramNumberListReport)
{
    QObject window;
    const prognums_buffer pairs[] = { { 1, 5 }, { 3, 0 } };
    processor.OnPrognumsDump(2, pairs, &window);
    EXPECT_EQ(window.property("windowTitle").toString().toStdString(),
        "Machines: 2\r\n(0) Bank: 1 Prog: 5\r\n(1) Bank: 3 Prog: 0\r\n");

    // Through the wire: count then pairs, as nibbles (bank -1 is signed).
    processor.feed(
        framed(48, std::string("\x00\x02\x0F\x0F\x07\x0F\x00\x01\x00\x02", 10)), &window);
    EXPECT_EQ(window.property("windowTitle").toString().toStdString(),
        "Machines: 2\r\n(0) Bank: -1 Prog: 127\r\n(1) Bank: 1 Prog: 2\r\n");

    // A long list stops growing once the text passes 923 characters.
    std::vector<prognums_buffer> many(200, prognums_buffer { 10, 100 });
    processor.OnPrognumsDump(200, many.data(), &window);
    const std::string text = window.property("windowTitle").toString().toStdString();
    EXPECT_GT(text.size(), 923u);
    const std::string::size_type lastEntry = text.rfind("\r\n(") + 2;
    EXPECT_LE(lastEntry, 923u) << "the last entry was added at or below the limit";
    EXPECT_EQ(text.find("(200)"), std::string::npos);
    processor.OnPrognumsDump(1, pairs, nullptr); // no window: nothing to write, no crash
}
