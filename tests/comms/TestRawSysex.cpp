// Raw system-exclusive files: sent exactly as they are, the last one
// remembered, failures reported by their codes.
#include "DumpTestSupport.h"
#include "MessageBoxScript.h"

#include <gtest/gtest.h>

namespace {

const char* kFilter = "Sysex Files (*.syx)|*.syx|Binary Files (*.bin)|*.bin|All Files (*.*)|*.*||";

class RawSysex : public ::testing::Test {
protected:
    std::string put(const Bytes& bytes, const char* name)
    {
        const std::string path = dir + "/" + name;
        writeBytes(path, bytes);
        return path;
    }
    std::string remembered()
    {
        return std::string(GetProfileString("Nerilune", "RawSysexFile", "<none>"));
    }

    ScopedSettings settings;
    std::string dir = TestEnv::freshDir("raw");
    FileAnswers files;
    DumpProcessor processor;
    QObject window;
};

} // namespace

TEST_F(RawSysex, FileIsSentUnchangedAndRemembered)
{
    // Two messages of another maker, a stray status byte and a real-time
    // byte: none of it is framed, split or filtered.
    const Bytes content { 0xF0, 0x43, 0x10, 0x4C, 0x00, 0xF7, 0x90, 0xF8, 0xF0, 0x7E, 0x7F, 0x06,
        0x01, 0xF7 };
    const std::string path = put(content, "a.syx");
    files.choose(path);
    EXPECT_EQ(processor.SendRaw(&window), 0);
    ASSERT_EQ(processor.transport->sent.size(), 1u);
    EXPECT_EQ(processor.transport->sent[0], content);
    EXPECT_EQ(processor.transport->pieceCounts[0], 1);
    EXPECT_EQ(processor.transport->ReplyWindow(), &window);
    ASSERT_EQ(files.questions.size(), 1u);
    EXPECT_TRUE(files.questions[0].open);
    EXPECT_EQ(files.questions[0].proposed, "");
    EXPECT_EQ(files.questions[0].filter, kFilter);
    EXPECT_EQ(remembered(), path);

    // The next time the last file is proposed.
    EXPECT_EQ(processor.SendRaw(&window), 0); // cancelled
    EXPECT_EQ(files.questions.back().proposed, path);
    EXPECT_EQ(processor.transport->sent.size(), 1u);
    EXPECT_EQ(remembered(), path);
}

TEST_F(RawSysex, FailuresGiveTheirCodes)
{
    files.choose(dir + "/absent.syx");
    EXPECT_EQ(processor.SendRaw(&window), -1);
    EXPECT_EQ(remembered(), "<none>");

    processor.transport->openError = 6;
    files.choose(put(Bytes { 0xF0, 0xF7 }, "b.syx"));
    EXPECT_EQ(processor.SendRaw(&window), 6);
    processor.transport->openError = 0;

    processor.transport->sendError = 3;
    files.choose(put(Bytes { 0xF0, 0x01, 0xF7 }, "c.syx"));
    EXPECT_EQ(processor.SendRaw(&window), 3);
    processor.transport->sendError = 0;

    // An empty file sends nothing and is no failure.
    files.choose(put({}, "empty.syx"));
    EXPECT_EQ(processor.SendRaw(&window), 0);
    EXPECT_EQ(processor.transport->sent.size(), 1u) << "only the message of c.syx was sent";

    // A folder chosen as the file cannot be read as one.
    files.choose(dir);
    EXPECT_NE(processor.SendRaw(&window), 0);
    EXPECT_EQ(processor.transport->sent.size(), 1u);
}
