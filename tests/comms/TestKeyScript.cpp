// Key scripts: line reading and splitting, SEND texts, WAIT times taken from
// a recording clock, pauses after every SEND, the questions before each SEND,
// and message boxes. (That no script breaks the framing on the wire is the
// key_script fuzz target's check.)
#include "CFile.h"
#include "CommsTestSupport.h"
#include "KeyScript.h"
#include "MessageBoxScript.h"

#include <gtest/gtest.h>

namespace {

class KeyScript : public ::testing::Test {
protected:
    KeyScript()
    {
        previous = setKeyScriptDelay([this](unsigned long ms) {
            flush();
            log.push_back("wait " + std::to_string(ms));
        });
    }
    ~KeyScript() override { setKeyScriptDelay(previous); }
    // Runs the script text; returns the texts it sent.
    std::vector<std::string> run(const std::string& script, int pause = 0)
    {
        CFile file(CString(writeBytes(dir + "/s.txt", Bytes(script.begin(), script.end())).c_str()),
            CFile::fmRead);
        const size_t before = processor.transport->sent.size();
        processor.RunKeyScript(file, pause);
        flush();
        std::vector<std::string> texts;
        for (size_t i = before; i < processor.transport->sent.size(); ++i) {
            const Bytes& m = processor.transport->sent[i];
            EXPECT_EQ(Bytes(m.begin(), m.begin() + 5),
                (Bytes { 0xF0, sysex::manufacturer, sysex::family, 0x01, sysex::setValue }));
            texts.emplace_back(m.begin() + 5, m.end() - 1);
        }
        return texts;
    }
    // Adds the messages sent since the last look to the log.
    void flush()
    {
        for (; logged < processor.transport->sent.size(); ++logged) {
            const Bytes& m = processor.transport->sent[logged];
            log.push_back("send " + std::string(m.begin() + 5, m.end() - 1));
        }
    }

    std::string dir = TestEnv::freshDir("script");
    RecordingProcessor processor;
    MessageBoxScript boxes;
    KeyScriptDelay previous;
    std::vector<std::string> log; // "send TEXT" and "wait MS" in order
    size_t logged = 0;
};

using Texts = std::vector<std::string>;

} // namespace

TEST(KeyScriptLines, RemarksFieldsAndBlanks)
{
    using F = std::vector<std::string>;
    F f;
    EXPECT_FALSE(KeyScriptReader::Split("; a remark", f));
    EXPECT_FALSE(KeyScriptReader::Split("#SEND,1,2", f));
    ASSERT_TRUE(KeyScriptReader::Split("SEND,10,1 ;remark # more", f));
    EXPECT_EQ(f, (F { "SEND", "10", "1 ;remark " })) << "a '#' anywhere wins over an earlier ';'";
    ASSERT_TRUE(KeyScriptReader::Split(" SEND , 1,,", f));
    EXPECT_EQ(f, (F { " SEND ", " 1", "", "" }));
    ASSERT_TRUE(KeyScriptReader::Split("0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17", f));
    EXPECT_EQ(f.size(), 16u);
}

TEST(KeyScriptLines, ControlCharactersEmptyLinesAndTheLineBound)
{
    const std::string dir = TestEnv::freshDir("lines");
    const std::string longLine = "MSG," + std::string(400, 'x');
    const std::string text = "a,b\r\n\r\n\n\tc\x01,d\n" + longLine + "\nlast";
    writeBytes(dir + "/s.txt", Bytes(text.begin(), text.end()));
    CFile file(CString((dir + "/s.txt").c_str()), CFile::fmRead);
    KeyScriptReader reader(file);
    std::vector<std::string> f;
    ASSERT_TRUE(reader.Next(f));
    EXPECT_EQ(f, (std::vector<std::string> { "a", "b" }));
    ASSERT_TRUE(reader.Next(f));
    EXPECT_EQ(f, (std::vector<std::string> { "c", "d" }));
    ASSERT_TRUE(reader.Next(f));
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[1].size(), 255u - 4u) << "a line keeps 255 characters";
    ASSERT_TRUE(reader.Next(f));
    EXPECT_EQ(f, (std::vector<std::string> { "last" }));
    EXPECT_FALSE(reader.Next(f));
    EXPECT_FALSE(reader.Next(f));
}

TEST_F(KeyScript, SendLinesInAnyCaseWithRemarks)
{
    EXPECT_EQ(run("SEND,10010016,3\nsend,10010016,3\nSeNd,a,-1.5000\n"),
        (Texts { "0x10010016 3", "0x10010016 3", "0xa -1.5000" }));
    EXPECT_EQ(run("; header\n# SEND,1,1\nSEND,10,1 ;remark\n"), (Texts { "0x10 1 " }));
    // Unknown words, words with blanks and SENDs without a value do nothing.
    EXPECT_EQ(run("SET,1,2\n SEND,1,2\nSEND,1\nSEND\n"), Texts {});
    EXPECT_EQ(processor.transport->ReplyWindow(), nullptr);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(log.size(), processor.transport->sent.size()) << "no waits";
}

TEST_F(KeyScript, WaitsAreCappedAndPausesFollowEverySend)
{
    run("WAIT,0.5\nWAIT,20\nWAIT,-1\nWAIT,x\nwait,0.25\nWAIT,inf\nWAIT,nan\nWAIT,1e300\n"
        "WAIT,0.0019\n");
    EXPECT_EQ(log, (Texts { "wait 500", "wait 10000", "wait 250", "wait 10000", "wait 1" }));
    log.clear();
    run("SEND,1,1\nWAIT,2,ALL\nSEND,2,2\nSEND,3,3\nWAIT,0,all\nSEND,4,4\n");
    run("SEND,5,5\nSEND,6,6\n", 300);
    run("WAIT,100,ALL\nSEND,7,7\n");
    EXPECT_EQ(log,
        (std::vector<std::string> { "send 0x1 1", "send 0x2 2", "wait 2000", "send 0x3 3",
            "wait 2000", "send 0x4 4", "send 0x5 5", "wait 300", "send 0x6 6", "wait 300",
            "send 0x7 7", "wait 10000" }));
}

TEST_F(KeyScript, NegativePauseAsksBeforeEverySend)
{
    boxes.answer(IDYES);
    boxes.answer(IDNO);
    boxes.answer(IDYES);
    EXPECT_EQ(run("SEND,1,1\nSEND,2,2\nSEND,3,3\n", -1), (Texts { "0x1 1", "0x3 3" }));
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[1].caption.toStdString(), "Send this one ?");
    EXPECT_EQ(boxes.boxes()[1].text.toStdString(), "0x2 2");
    EXPECT_EQ(boxes.boxes()[1].icon, 4);
    EXPECT_EQ(boxes.boxes()[1].buttons, (std::vector<int> { IDYES, IDNO, IDBOX_CANCEL }));
    EXPECT_EQ(log.size(), processor.transport->sent.size()) << "no waits";

    // A negative WAIT ... ALL starts asking; a Cancel ends the script.
    boxes.answer(IDYES);
    boxes.answer(IDBOX_CANCEL);
    EXPECT_EQ(
        run("SEND,1,1\nWAIT,-1,ALL\nSEND,2,2\nSEND,3,3\nSEND,4,4\n"), (Texts { "0x1 1", "0x2 2" }));
    EXPECT_EQ(boxes.boxes().size(), 5u);
}

TEST_F(KeyScript, MessagesErrorsAndTheEndOfTheProtocolObject)
{
    run("MSG,Turn the knob,ignored\nmsg\n");
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].caption.toStdString(), "Message");
    EXPECT_EQ(boxes.boxes()[0].text.toStdString(), "Turn the knob");
    EXPECT_EQ(boxes.boxes()[0].icon, 4);
    EXPECT_EQ(boxes.boxes()[0].buttons, std::vector<int> { IDBOX_OK });
    EXPECT_EQ(boxes.boxes()[1].text.toStdString(), "");

    // A failing link ends the script with the transport's explanation.
    processor.transport->sendError = 2;
    EXPECT_EQ(run("SEND,1,1\nSEND,2,2\n").size(), 1u);
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[2].caption.toStdString(), "Comms Error");
    processor.transport->sendError = 0;

    // Without a live protocol object the script ends at once.
    processor.ShutDown();
    EXPECT_EQ(run("SEND,1,1\nMSG,x\n"), Texts {});
    EXPECT_EQ(boxes.boxes().size(), 3u);
}
