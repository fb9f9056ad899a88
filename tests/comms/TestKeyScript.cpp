// Key scripts, which nothing in the editor runs: SEND texts, WAIT times taken
// from a recording clock and pauses after every SEND; no script byte breaks
// the framing on the wire.
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
            for (size_t j = 1; j + 1 < m.size(); ++j)
                EXPECT_LT(m[j], 0x80) << "byte " << j << " of " << texts.size();
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

TEST_F(KeyScript, SendLinesInAnyCaseWithRemarksThenWaitsAndPausesInOrder)
{
    EXPECT_EQ(run("SEND,10010016,3\nsend,10010016,3\nSeNd,a,-1.5000\n"),
        (Texts { "0x10010016 3", "0x10010016 3", "0xa -1.5000" }));
    EXPECT_EQ(run("; header\n# SEND,1,1\nSEND,10,1 ;remark\n"), (Texts { "0x10 1 " }));
    // Unknown words, words with blanks and SENDs without a value do nothing.
    EXPECT_EQ(run("SET,1,2\n SEND,1,2\nSEND,1\nSEND\n"), Texts {});
    EXPECT_EQ(run("SEND,1,\xe9t\xe9\n").size(), 1u);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(log.size(), processor.transport->sent.size()) << "no waits";

    log.clear();
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
