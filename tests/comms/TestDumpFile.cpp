// Binary dump files: decoded values, checksums, the checks made before a file
// is sent, the block that is sent, and the names proposed for files.
#include "BinaryDumpFile.h"
#include "CFile.h"
#include "DumpTestSupport.h"

#include <gtest/gtest.h>

namespace {

class DumpFile : public ::testing::Test {
protected:
    std::string put(const Bytes& bytes, const char* name = "d.bin")
    {
        const std::string path = dir + "/" + name;
        writeBytes(path, bytes);
        return path;
    }
    BinaryDumpFile::Check verify(const Bytes& bytes)
    {
        CFile f(CString(put(bytes).c_str()), CFile::fmRead);
        EXPECT_TRUE(f.IsOpen());
        return BinaryDumpFile(f).Verify();
    }
    Bytes block(const Bytes& bytes)
    {
        CFile f(CString(put(bytes).c_str()), CFile::fmRead);
        BinaryDumpFile d(f);
        EXPECT_EQ(d.Verify(), BinaryDumpFile::ok);
        Bytes out;
        EXPECT_TRUE(d.Block(out));
        return out;
    }

    std::string dir = TestEnv::freshDir("dumpfile");
};

} // namespace

TEST_F(DumpFile, DataValuesAreBigEndianAtDecodedOffsetsAndKeepThePosition)
{
    const Bytes file { 0, 0, 0, 0, 0, 0, 0, 3, 1, 2, 0xA, 0xB, 0xF, 0xF, 0, 0 };
    CFile f(CString(put(file).c_str()), CFile::fmRead);
    f.Seek(5, CFile::begin);
    EXPECT_EQ(MidiFileData(f, 0, 4), 3ul);
    EXPECT_EQ(MidiFileData(f, 4, 2), 0x12ABul);
    EXPECT_EQ(MidiFileData(f, 5, 3), 0xABFF00ul);
    EXPECT_EQ(f.GetPosition(), 5);
    // Fewer file bytes than asked for, or a nonsensical request, read nothing.
    EXPECT_EQ(MidiFileData(f, 7, 2), 0ul);
    EXPECT_EQ(MidiFileData(f, 100000, 1), 0ul);
    EXPECT_EQ(MidiFileData(f, -1, 1), 0ul);
    EXPECT_EQ(MidiFileData(f, 0, 5), 0ul);
    EXPECT_EQ(f.GetPosition(), 5);
}

TEST_F(DumpFile, ChecksumSumsDecodedBytesAcrossBlocksAndStopsAtANonNibble)
{
    // 20002 bytes: more than two reading blocks of 8192.
    Bytes big(20002, 0);
    unsigned long expected = 0;
    for (size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<unsigned char>(i % 16);
        expected += (i % 2 == 0) ? big[i] * 16u : big[i];
    }
    {
        CFile f(CString(put(big).c_str()), CFile::fmRead);
        f.Seek(7, CFile::begin);
        EXPECT_EQ(MidiFileChecksum(f), expected);
        EXPECT_EQ(f.GetPosition(), 7);
    }
    Bytes bad { 1, 2, 3, 4, 0x20, 5 };
    CFile f(CString(put(bad, "bad.bin").c_str()), CFile::fmRead);
    EXPECT_EQ(MidiFileChecksum(f), 0x12ul + 0x34ul);
    EXPECT_NE(f.GetPosition(), 0) << "reading stops where the bad byte was met";
}

TEST_F(DumpFile, LengthCheckIgnoresOnlyAnOddTrailingByte)
{
    const Bytes good = dumpFileOf(Bytes { 1, 2, 3, 4, 5 });
    EXPECT_EQ(verify(good), BinaryDumpFile::ok);
    Bytes odd = good; // 2n + 11 bytes
    odd.push_back(0);
    EXPECT_EQ(verify(odd), BinaryDumpFile::ok);
    Bytes even = odd; // 2n + 12 bytes
    even.push_back(0);
    EXPECT_EQ(verify(even), BinaryDumpFile::badLength);
    Bytes shortOne(good.begin(), good.end() - 2);
    EXPECT_EQ(verify(shortOne), BinaryDumpFile::badLength);
    EXPECT_EQ(verify({}), BinaryDumpFile::badLength);
    EXPECT_EQ(verify(Bytes { 0, 0, 0 }), BinaryDumpFile::badLength);
}

TEST_F(DumpFile, HostileLengthFieldsAndOversizedFilesAreRefusedBeforeReading)
{
    // n = 0xFFFFFFFF: 2n + 10 wraps in 32 bits; it must not match a small file.
    Bytes hostile(20, 0);
    for (int i = 0; i < 8; ++i)
        hostile[i] = 0xF;
    EXPECT_EQ(verify(hostile), BinaryDumpFile::badLength);
    // n = 0x7FFFFFFB: 2n + 10 = 2^32, i.e. 0 in 32 bits: an empty-looking match.
    Bytes wrap { 7, 0xF, 0xF, 0xF, 0xF, 0xF, 0xF, 0xB };
    EXPECT_EQ(verify(wrap), BinaryDumpFile::badLength);

    // A consistent header on a file beyond the bound (sparse, nothing read).
    const qint64 size = BinaryDumpFile::kMaxFileBytes + 2;
    const unsigned long n = static_cast<unsigned long>((size - 10) / 2);
    Bytes header(8);
    for (int i = 0; i < 8; ++i)
        header[i] = static_cast<unsigned char>((n >> (28 - 4 * i)) & 0xF);
    const std::string path = put(header, "huge.bin");
    ASSERT_TRUE(QFile::resize(QString::fromStdString(path), size));
    CFile f(CString(path.c_str()), CFile::fmRead);
    EXPECT_EQ(BinaryDumpFile(f).Verify(), BinaryDumpFile::tooLarge);
}

TEST_F(DumpFile, ChecksumAndNibbleChecks)
{
    Bytes one = dumpFileOf(Bytes { 9, 8, 7 });
    one.back() = static_cast<unsigned char>((one.back() + 1) & 0xF); // sum 1 modulo 256
    ASSERT_NE(one.back(), 0);
    EXPECT_EQ(verify(one), BinaryDumpFile::badChecksum);

    // An odd trailing nibble is not sent and does not count: a right file
    // with one passes, and a wrong block cannot pass through it.
    Bytes trailing = dumpFileOf(Bytes { 9, 8, 7 });
    trailing.push_back(1);
    EXPECT_EQ(verify(trailing), BinaryDumpFile::ok);
    Bytes balanced = dumpFileOf(Bytes { 9, 8, 7 });
    // The checksum's high nibble one too high puts the sum 16 over; a trailing
    // nibble 15 counted as a high nibble (240) would bring it back to 0.
    balanced[balanced.size() - 2]
        = static_cast<unsigned char>((balanced[balanced.size() - 2] + 1) & 0xF);
    balanced.push_back(15);
    EXPECT_EQ(verify(balanced), BinaryDumpFile::badChecksum);

    // A byte above 15 would end or corrupt the message on the wire, even when
    // the sum happens to come out right.
    // Length 4 and a first data byte 0xFC sum to 0x100: the checksum read
    // stops at the byte 0xF7 behind them with a sum of 0 modulo 256.
    Bytes notNibble = dumpFileOf(Bytes { 0xFC, 1, 2, 3 });
    notNibble[10] = 0xF7;
    {
        CFile f(CString(put(notNibble, "n.bin").c_str()), CFile::fmRead);
        EXPECT_EQ(MidiFileChecksum(f) % 256, 0u);
    }
    EXPECT_EQ(verify(notNibble), BinaryDumpFile::badData);
}

TEST_F(DumpFile, ShortenedImageHoldsSectionsAAndBWithFreshLengthAndChecksum)
{
    const Bytes data = sectionedData(100, 20, 30);
    const Bytes sent = block(dumpFileOf(data));
    ASSERT_EQ(sent.size(), 8u + 100u + 2u);
    const Bytes decoded = denibbled(sent);
    EXPECT_EQ(Bytes(decoded.begin(), decoded.begin() + 4), (Bytes { 0, 0, 0, 50 }));
    EXPECT_EQ(
        Bytes(decoded.begin() + 4, decoded.begin() + 54), Bytes(data.begin(), data.begin() + 50));
    unsigned sum = 0;
    for (unsigned char b : decoded)
        sum += b;
    EXPECT_EQ(sum % 256, 0u);
}

TEST_F(DumpFile, WholeFileIsSentWhenSectionsCoverTheDataOrAreMissing)
{
    struct Case {
        size_t n;
        unsigned long a, b;
        const char* why;
    } cases[] = {
        { 100, 20, 80, "A + B equal to n" },
        { 100, 60, 50, "A + B above n" },
        { 100, 0, 0, "no sections" },
        { 100, 90, 1, "B's size would lie past the data" },
        { 5, 0, 0, "too short to hold a section size" },
        { 14, 1, 1, "A's field in the data, B's in the checksum" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const Bytes file = dumpFileOf(sectionedData(c.n, c.a, c.b));
        EXPECT_EQ(block(file), file);
    }
    // The odd byte the length check ignores is not sent either.
    Bytes odd = dumpFileOf(sectionedData(30, 0, 0));
    const Bytes whole = odd;
    odd.push_back(0);
    EXPECT_EQ(block(odd), whole);
}

TEST(DumpNames, BaseNamesAndDatedProposals)
{
    EXPECT_STREQ(dumpBaseName(15), "files");
    EXPECT_STREQ(dumpBaseName(19), "card");
    EXPECT_STREQ(dumpBaseName(21), "prog");
    EXPECT_STREQ(dumpBaseName(22), "setup");
    EXPECT_STREQ(dumpBaseName(57), "data");
    EXPECT_STREQ(dumpBaseName(0), "data");
    EXPECT_EQ(std::string(proposedDumpName(21, QDate(2026, 12, 5))), "prog120526.bin");
    EXPECT_EQ(std::string(proposedDumpName(57, QDate(2031, 1, 9))), "data010931.bin");
}

TEST(DumpNames, FileQuestionsForOpeningAndSaving)
{
    const DumpDateSource before = setDumpDateSource([] { return QDate(2026, 12, 5); });
    FileAnswers files;
    files.choose("/x/chosen.bin");
    CString name("stale");
    GetBinaryFileName(1, 22, name);
    EXPECT_EQ(std::string(name), "/x/chosen.bin");
    GetBinaryFileName(0, 21, name); // nothing queued: cancelled
    EXPECT_TRUE(name.IsEmpty());
    ASSERT_EQ(files.questions.size(), 2u);
    EXPECT_TRUE(files.questions[0].open);
    EXPECT_EQ(files.questions[0].proposed, "setup*.bin");
    EXPECT_EQ(files.questions[0].defaultExtension, "bin");
    EXPECT_EQ(files.questions[0].filter, "Binary Files (*.bin)|*.bin|All Files (*.*)|*.*||");
    EXPECT_FALSE(files.questions[1].open);
    EXPECT_EQ(files.questions[1].proposed, "prog120526.bin");
    setDumpDateSource(before);
}

TEST(DumpNames, WithoutTheOpenQuestionOnlySavingCanAsk)
{
    const auto savedOpen = commsHooks().askFileName;
    const auto savedSave = commsHooks().askSaveFileName;
    commsHooks().askFileName = nullptr;
    std::string proposed;
    commsHooks().askSaveFileName = [&](const char* p, const char*) {
        proposed = p;
        return CString("/x/saved.bin");
    };
    CString name;
    GetBinaryFileName(0, 19, name);
    EXPECT_EQ(std::string(name), "/x/saved.bin");
    EXPECT_EQ(proposed.substr(0, 4), "card");
    GetBinaryFileName(1, 19, name);
    EXPECT_TRUE(name.IsEmpty());
    commsHooks().askFileName = savedOpen;
    commsHooks().askSaveFileName = savedSave;
}
