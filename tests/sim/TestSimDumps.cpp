// Dumps on the simulated device: images sent on request and replaced by a
// received dump; the round trip protocol object -> device -> protocol object
// through the loopback, files included.
#include "BinaryDumpFile.h"
#include "LoopbackMidi.h"
#include "MessageBoxScript.h"
#include "Nibble.h"
#include "ProtocolProbe.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

SimBytes blockOf(const SimBytes& data)
{
    SimBytes out(2 * data.size() + 10);
    out.resize(static_cast<size_t>(
        nibbleizeBlock(data.data(), static_cast<int>(data.size()), out.data(), 1)));
    return out;
}

std::string textOf(const SimBytes& b)
{
    return std::string(b.begin(), b.end());
}

SimBytes fileBytes(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = f.readAll();
    return SimBytes(all.begin(), all.end());
}

} // namespace

// Whole dumps are taken by the round trips below.
TEST(SimDumpDevice, RefusesDamagedDumps)
{
    SimDevice device;
    const SimBytes image = device.Dumps().Image(22);
    SimBytes badSum = blockOf({ 9, 9 });
    badSum[9] ^= 1;
    SimBytes longer = blockOf({ 9, 9 });
    longer.insert(longer.end(), { 0, 0 });
    SimBytes notNibble = blockOf({ 9, 9 });
    notNibble[8] = 0x10;
    const std::pair<SimBytes, const char*> damaged[] = { { badSum, "Bad dump: checksum" },
        { longer, "Bad dump: length 2 for 16 nibbles" }, { notNibble, "Bad dump: not nibble data" },
        { SimBytes { 0, 0 }, "Bad dump: too short" } };
    for (const auto& [payload, why] : damaged) {
        const auto replies = ask(device, request(22, textOf(payload)));
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_EQ(replyOf(replies[0]).command, 13);
        EXPECT_EQ(replyOf(replies[0]).text, why);
    }
    EXPECT_EQ(device.Dumps().Image(22), image) << "a refused dump changes nothing";
}

namespace {

class SimDumpRoundTrip : public ::testing::Test {
protected:
    SimDumpRoundTrip()
    {
        previousAsk = commsHooks().askFileName;
        commsHooks().askFileName
            = [this](bool, const char*, const char*, const char*) { return CString(path.c_str()); };
    }
    ~SimDumpRoundTrip() override { commsHooks().askFileName = previousAsk; }

    // Asks the device for a dump of this kind and waits until it is saved.
    bool fetch(int kind)
    {
        QFile::remove(QString::fromStdString(path));
        if (processor.SysxCommand(static_cast<unsigned char>(kind), nullptr, 0, &window))
            return false;
        for (int i = 0; i < 1000 && !QFile::exists(QString::fromStdString(path)); ++i)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return QFile::exists(QString::fromStdString(path));
    }

    std::shared_ptr<SimDevice> device = std::make_shared<SimDevice>(2);
    RecordingProcessor processor { std::make_unique<LoopbackMidi>(device) };
    ReplyWindow window { processor };
    std::string path = TestEnv::freshDir("simdump") + "/dump.bin";
    decltype(CommsHooks::askFileName) previousAsk;
    MessageBoxScript boxes;
};

} // namespace

TEST_F(SimDumpRoundTrip, EveryKindIsSavedAndSentBackUnchanged)
{
    for (int kind : { 15, 19, 22, 57 }) {
        SCOPED_TRACE(kind);
        const SimBytes original = device->Dumps().Image(kind);
        ASSERT_TRUE(fetch(kind));
        EXPECT_EQ(fileBytes(path), blockOf(original)) << "saved byte-exact";
        device->Dumps().SetImage(kind, { 0 });
        processor.SendDump(kind);
        EXPECT_EQ(device->Dumps().Image(kind), original);
        EXPECT_EQ(device->Dumps().Accepted(kind), 1);
    }
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(processor.of("error").empty());
}

TEST_F(SimDumpRoundTrip, ProgramBankGoesBackShortenedToItsSections)
{
    const SimBytes original = device->Dumps().Image(21);
    ASSERT_GT(original.size(), 50u);
    ASSERT_TRUE(fetch(21));
    EXPECT_EQ(fileBytes(path), blockOf(original));
    processor.SendDump(21);
    // Sections of 20 and 30 bytes: the first 50 data bytes go back.
    EXPECT_EQ(device->Dumps().Image(21), SimBytes(original.begin(), original.begin() + 50));
    EXPECT_EQ(device->Dumps().Accepted(21), 1);
}
