// The preset line grammar on its own: the written forms, the reader's
// tolerance and bounds, and replacing a file only when it was fully written.
#include "PresetFile.h"

#include "TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

std::string readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll().toStdString();
}

void writeAll(const QString& path, const std::string& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QString freshFolder()
{
    return QString::fromStdString(TestEnv::freshDir("presetfile"));
}

struct ReadResult {
    std::vector<std::string> lines;
    std::vector<bool> tooLong;
};

ReadResult readLines(const QString& path)
{
    ReadResult out;
    PresetFile f;
    EXPECT_TRUE(f.Open(CString(path)));
    std::string line;
    bool tooLong = false;
    while (f.ReadLine(line, tooLong)) {
        out.lines.push_back(line);
        out.tooLong.push_back(tooLong);
        if (out.lines.size() > 100)
            break;
    }
    return out;
}

} // namespace

TEST(PresetFile, WritesGainsInSinglePrecisionWithOneDecimalAndValuesInDecimal)
{
    PresetFile f;
    f.AddGain(0x10030013, -3.5);
    f.AddGain(0x10030014, 0.0);
    f.AddGain(0x1003001a, -100.0);
    // 1.45 as a double rounds down to 1.4, as a float (1.4500000477) up to 1.5.
    f.AddGain(0x100100a0, 1.45);
    f.AddGain(0x100100a1, -1.45);
    f.AddValue(0x1001081a, 99);
    f.AddValue(0x1001005d, 0);
    f.AddValue(0xabcdef, -1);
    EXPECT_EQ(f.Text(),
        "10030013 -3.5\r\n"
        "10030014 0.0\r\n"
        "1003001a -100.0\r\n"
        "100100a0 1.5\r\n"
        "100100a1 -1.5\r\n"
        "1001081a 99\r\n"
        "1001005d 0\r\n"
        "abcdef -1\r\n");
}

TEST(PresetFile, ParsesWhatItWritesAndTheTolerantForms)
{
    using K = PresetFile::Record;
    struct Case {
        const char* line;
        K::Kind kind;
        long key;
        double gain;
        int value;
    };
    const Case cases[] = {
        { "10030013 -3.5\r", K::gainLine, 0x10030013, -3.5, 0 },
        { "10030013\t \t-3.5  \r", K::gainLine, 0x10030013, -3.5, 0 },
        { "  1001081a 7", K::valueLine, 0x1001081a, 0, 7 },
        { "1001081A 99\r", K::valueLine, 0x1001081a, 0, 99 },
        // A '.' makes the word a gain, also for zero.
        { "10030013 0.0", K::gainLine, 0x10030013, 0.0, 0 },
        { "1001081a 0", K::valueLine, 0x1001081a, 0, 0 },
        { "ffffffff 1", K::valueLine, 0xffffffffL, 0, 1 },
        { "1001081a -2", K::valueLine, 0x1001081a, 0, -2 },
        { "name: Studio A\r", K::nameLine, 0, 0, 0 },
        { "name:x", K::nameLine, 0, 0, 0 },
        { "", K::blank, 0, 0, 0 },
        { "\r", K::blank, 0, 0, 0 },
        { " \t ", K::blank, 0, 0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const K r = PresetFile::Parse(c.line);
        EXPECT_EQ(r.kind, c.kind);
        if (c.kind == K::gainLine || c.kind == K::valueLine) {
            EXPECT_EQ(r.key, c.key);
        }
        if (c.kind == K::gainLine) {
            EXPECT_FLOAT_EQ(r.gain, static_cast<float>(c.gain));
        }
        if (c.kind == K::valueLine) {
            EXPECT_EQ(r.value, c.value);
        }
    }
}

TEST(PresetFile, RejectsLinesThatDoNotReadAsKeyAndWord)
{
    const std::string longWord = "1001081a " + std::string(31, '0') + "5"; // 32 characters
    const std::string longLine = "1001081a 5" + std::string(250, ' '); // 260 characters
    const char* bad[] = {
        "10030013", // key only
        "10030013 \r", // key and blanks
        "xyz 5", // not a hexadecimal key
        "10g3 5",
        "-5 3",
        "0x1001081a 3",
        "123456789 1", // more than 32 bits
        "1001081a abc", // not a number
        "1001081a 5x",
        "10030013 -3.5dB",
        "10030013 1.2.3",
        "10030013 3.5e38", // beyond single precision
        "name:",
        "name: \r",
        "Name: x",
        "\x01\xff\x7f garbage",
    };
    for (const char* line : bad) {
        SCOPED_TRACE(line);
        EXPECT_EQ(PresetFile::Parse(line).kind, PresetFile::Record::badLine);
    }
    EXPECT_EQ(PresetFile::Parse(longWord).kind, PresetFile::Record::badLine);
    EXPECT_EQ(PresetFile::Parse(longLine).kind, PresetFile::Record::badLine);
    // At the limits the same lines are fine.
    EXPECT_EQ(PresetFile::Parse("1001081a " + std::string(30, '0') + "5").kind,
        PresetFile::Record::valueLine);
    EXPECT_EQ(PresetFile::Parse("1001081a 5" + std::string(245, ' ')).kind,
        PresetFile::Record::valueLine);
    // A line the reader had to cut is bad even when its start reads well.
    EXPECT_EQ(PresetFile::Parse("1001081a 5", true).kind, PresetFile::Record::badLine);
}

TEST(PresetFile, ReaderSplitsAtLineFeedsAndCutsOverlongLines)
{
    const QString dir = freshFolder();
    const QString path = dir + "/lines.rut";
    writeAll(path, "a 1\r\nb 2\n" + std::string(300, 'x') + "\n\nc 3");
    const ReadResult r = readLines(path);
    ASSERT_EQ(r.lines.size(), 5u);
    EXPECT_EQ(r.lines[0], "a 1\r");
    EXPECT_EQ(r.lines[1], "b 2");
    EXPECT_EQ(r.lines[2], std::string(255, 'x'));
    EXPECT_TRUE(r.tooLong[2]);
    EXPECT_FALSE(r.tooLong[1]);
    EXPECT_EQ(r.lines[3], "");
    EXPECT_EQ(r.lines[4], "c 3"); // the last line needs no line end

    writeAll(path, "");
    EXPECT_TRUE(readLines(path).lines.empty());

    PresetFile missing;
    EXPECT_FALSE(missing.Open(CString(dir + "/none.rut")));
    std::string line;
    bool tooLong = false;
    EXPECT_FALSE(missing.ReadLine(line, tooLong));
}

TEST(PresetFile, NamesThatCannotBecomeFileNamesAreRefused)
{
    for (const char* ok : { "Live", "-Initial", "my set 2", "A_b-c" })
        EXPECT_TRUE(PresetFile::IsValidName(ok)) << ok;
    for (const char* bad : { "", "a.b", "..", "x/y", "/abs", "a<b", "a>b", "a|b", "a\\b" })
        EXPECT_FALSE(PresetFile::IsValidName(bad)) << bad;
    EXPECT_FALSE(PresetFile::IsValidName(nullptr));
}

TEST(PresetFile, CommitReplacesTheFileOnlyWhenEverythingWasWritten)
{
    const QString dir = freshFolder();
    const QString path = dir + "/set.rut";
    writeAll(path, "old contents\r\n");

    PresetFile f;
    f.AddValue(0x1001081a, 3);
    ASSERT_TRUE(f.Commit(CString(path)));
    EXPECT_EQ(readAll(path), "1001081a 3\r\n");

    // A target that is a folder, and a folder that is a file, both fail.
    QDir(dir).mkdir("folder.rut");
    EXPECT_FALSE(f.Commit(CString(dir + "/folder.rut")));
    EXPECT_TRUE(QFileInfo(dir + "/folder.rut").isDir());
    writeAll(dir + "/plain", "x");
    EXPECT_FALSE(f.Commit(CString(dir + "/plain/set.rut")));
    EXPECT_EQ(readAll(dir + "/plain"), "x");

    // A write that fails part way (here: the file size limit) keeps the old
    // file and leaves no temporary file behind.
    PresetFile big;
    for (int i = 0; i < 400; ++i)
        big.AddGain(0x10030000 + i, -1.0 * i);
    struct rlimit saved { };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const BOOL ok = big.Commit(CString(path));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(ok);
    EXPECT_EQ(readAll(path), "1001081a 3\r\n");
    const QStringList left = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList({ "plain", "set.rut" }));
}
