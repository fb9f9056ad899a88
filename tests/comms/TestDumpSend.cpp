// Sending a binary dump file: what goes on the wire, and every kind of
// faulty file refused with its box before anything is sent.
#include "DumpTestSupport.h"
#include "MessageBoxScript.h"

#include <gtest/gtest.h>

namespace {

class DumpSend : public ::testing::Test {
protected:
    std::string put(const Bytes& bytes, const char* name = "send.bin")
    {
        const std::string path = dir + "/" + name;
        writeBytes(path, bytes);
        return path;
    }
    // Sends the file as a dump of this kind; returns the boxes shown.
    std::vector<MessageBoxScript::Box> send(const std::string& path, int kind = 21)
    {
        MessageBoxScript boxes;
        files.choose(path);
        processor.SendDump(kind);
        return boxes.boxes();
    }
    void expectRefused(const Bytes& file, const char* caption)
    {
        SCOPED_TRACE(caption);
        const auto boxes = send(put(file));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption.toStdString(), caption);
        EXPECT_EQ(boxes[0].text.toStdString(), "Cannot send ..");
        EXPECT_EQ(boxes[0].icon, 2);
        EXPECT_TRUE(processor.transport->sent.empty());
    }

    ScopedSettings settings;
    std::string dir = TestEnv::freshDir("dumpsend");
    FileAnswers files;
    DumpProcessor processor;
};

Bytes framedDump(unsigned char kind, const Bytes& block, unsigned char id = 1)
{
    Bytes b { 0xF0, 0x7D, 0x70, id, kind };
    b.insert(b.end(), block.begin(), block.end());
    b.push_back(0xF7);
    return b;
}

} // namespace

TEST_F(DumpSend, WholeFileTravelsAsOneFramedMessageOfItsKind)
{
    const Bytes file = dumpFileOf(sectionedData(40, 0, 0));
    for (int kind : { 15, 19, 21, 22, 57 }) {
        processor.transport->sent.clear();
        EXPECT_TRUE(send(put(file), kind).empty());
        ASSERT_EQ(processor.transport->sent.size(), 1u);
        EXPECT_EQ(processor.transport->sent[0], framedDump(static_cast<unsigned char>(kind), file));
    }
    EXPECT_TRUE(files.questions.back().open);
    EXPECT_EQ(files.questions.back().proposed, "data*.bin");
    EXPECT_EQ(processor.transport->ReplyWindow(), nullptr);
}

TEST_F(DumpSend, ShortenedImageAndTheDevicesIdAreSent)
{
    settings.settings().setValue(ProfileKey("Zorvanta Drivers", "MIDI ID"), 5);
    DumpProcessor withId;
    const Bytes data = sectionedData(100, 20, 30);
    files.choose(put(dumpFileOf(data)));
    MessageBoxScript boxes;
    withId.SendDump(22);
    ASSERT_EQ(withId.transport->sent.size(), 1u);
    const Bytes& wire = withId.transport->sent[0];
    ASSERT_EQ(wire.size(), 5u + 110u + 1u);
    EXPECT_EQ(wire[3], 5);
    EXPECT_EQ(wire[4], 22);
    const Bytes decoded = denibbled(Bytes(wire.begin() + 5, wire.end() - 1));
    EXPECT_EQ(decoded[3], 50);
    EXPECT_EQ(
        Bytes(decoded.begin() + 4, decoded.end() - 1), Bytes(data.begin(), data.begin() + 50));
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(DumpSend, FaultyFilesOfEveryKindAreRefusedWithTheirBox)
{
    const Bytes good = dumpFileOf(sectionedData(30, 0, 0));
    Bytes longer = good;
    longer.insert(longer.end(), { 0, 0 });
    expectRefused(longer, "Faulty File (bad length)");
    expectRefused(Bytes(good.begin(), good.end() - 2), "Faulty File (bad length)");
    expectRefused({}, "Faulty File (bad length)");
    expectRefused(Bytes(8, 0xF), "Faulty File (bad length)");

    // One more in a low nibble: the decoded bytes sum to 1 modulo 256.
    Bytes exactlyOne = good;
    exactlyOne[9] = static_cast<unsigned char>((exactlyOne[9] + 1) & 0xF);
    ASSERT_NE(exactlyOne[9], 0);
    expectRefused(exactlyOne, "Faulty File (bad checksum)");

    Bytes endsEarly = dumpFileOf(Bytes { 0xFC, 1, 2, 3 });
    endsEarly[10] = 0xF7;
    expectRefused(endsEarly, "Faulty File (bad data)");
}

TEST_F(DumpSend, MissingFileCancelAndTransportErrors)
{
    {
        const auto boxes = send(dir + "/absent.bin");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption.toStdString(), "Unable to open file");
        EXPECT_EQ(boxes[0].text.toStdString(), dir + "/absent.bin");
    }
    {
        MessageBoxScript boxes;
        processor.SendDump(21); // nothing chosen
        EXPECT_TRUE(boxes.boxes().empty());
        EXPECT_TRUE(processor.transport->sent.empty());
    }
    processor.transport->sendError = 4;
    const auto boxes = send(put(dumpFileOf(Bytes { 1, 2 })));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption.toStdString(), "Comms Error");
    EXPECT_EQ(boxes[0].text.toStdString(), "Can't explain - E4");
}
