// The preset line grammar on its own: the written forms, the reader's
// tolerance and bounds.
#include "EditorFixture.h"
#include "PresetFile.h"
#include "TestEnv.h"

#include <string>
#include <vector>

namespace {

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

TEST(PresetFile, ParsesWhatItWritesAndTheTolerantFormsAndRejectsTheRest)
{
    using K = PresetFile::Record;
    struct Case {
        std::string line;
        K::Kind kind;
        long key = 0;
        double number = 0; // the gain or the value
    };
    const Case cases[] = {
        { "10030013 -3.5\r", K::gainLine, 0x10030013, -3.5 },
        { "10030013\t \t-3.5  \r", K::gainLine, 0x10030013, -3.5 },
        { "  1001081a 7", K::valueLine, 0x1001081a, 7 },
        { "1001081A 99\r", K::valueLine, 0x1001081a, 99 },
        // A '.' makes the word a gain, also for zero.
        { "10030013 0.0", K::gainLine, 0x10030013, 0.0 },
        { "1001081a 0", K::valueLine, 0x1001081a, 0 },
        { "ffffffff 1", K::valueLine, 0xffffffffL, 1 },
        { "1001081a -2", K::valueLine, 0x1001081a, -2 },
        { "name: Studio A\r", K::nameLine },
        { "name:x", K::nameLine },
        { "", K::blank },
        { "\r", K::blank },
        { " \t ", K::blank },
        // At the limits: a word of 31 characters, a line of 255.
        { "1001081a " + std::string(30, '0') + "5", K::valueLine, 0x1001081a, 5 },
        { "1001081a 5" + std::string(245, ' '), K::valueLine, 0x1001081a, 5 },
        { "1001081a " + std::string(31, '0') + "5", K::badLine },
        { "1001081a 5" + std::string(250, ' '), K::badLine },
        { "10030013", K::badLine }, // key only
        { "10030013 \r", K::badLine },
        { "xyz 5", K::badLine }, // not a hexadecimal key
        { "10g3 5", K::badLine },
        { "-5 3", K::badLine },
        { "0x1001081a 3", K::badLine },
        { "123456789 1", K::badLine }, // more than 32 bits
        { "1001081a abc", K::badLine }, // not a number
        { "1001081a 5x", K::badLine },
        { "10030013 -3.5dB", K::badLine },
        { "10030013 1.2.3", K::badLine },
        { "10030013 3.5e38", K::badLine }, // beyond single precision
        { "name:", K::badLine },
        { "name: \r", K::badLine },
        { "Name: x", K::badLine },
        { "\x01\xff\x7f garbage", K::badLine },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const K r = PresetFile::Parse(c.line);
        EXPECT_EQ(r.kind, c.kind);
        if (c.kind == K::gainLine || c.kind == K::valueLine) {
            EXPECT_EQ(r.key, c.key);
        }
        if (c.kind == K::gainLine) {
            EXPECT_FLOAT_EQ(r.gain, static_cast<float>(c.number));
        }
        if (c.kind == K::valueLine) {
            EXPECT_EQ(r.value, static_cast<int>(c.number));
        }
    }
    // A line the reader had to cut is bad even when its start reads well.
    EXPECT_EQ(PresetFile::Parse("1001081a 5", true).kind, K::badLine);
}

TEST(PresetFile, ReaderSplitsAtLineFeedsAndCutsOverlongLines)
{
    const QString dir = QString::fromStdString(TestEnv::freshDir("presetfile"));
    const QString path = dir + "/lines.rut";
    editortest::writeFile(path, "a 1\r\nb 2\n" + std::string(300, 'x') + "\n\nc 3");
    const ReadResult r = readLines(path);
    ASSERT_EQ(r.lines.size(), 5u);
    EXPECT_EQ(r.lines[0], "a 1\r");
    EXPECT_EQ(r.lines[1], "b 2");
    EXPECT_EQ(r.lines[2], std::string(255, 'x'));
    EXPECT_TRUE(r.tooLong[2]);
    EXPECT_FALSE(r.tooLong[1]);
    EXPECT_EQ(r.lines[3], "");
    EXPECT_EQ(r.lines[4], "c 3"); // the last line needs no line end

    editortest::writeFile(path, "");
    EXPECT_TRUE(readLines(path).lines.empty());

    PresetFile missing;
    EXPECT_FALSE(missing.Open(CString(dir + "/none.rut")));
    std::string line;
    bool tooLong = false;
    EXPECT_FALSE(missing.ReadLine(line, tooLong));
}
