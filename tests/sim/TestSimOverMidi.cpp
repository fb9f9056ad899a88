// The q7300-sim program answering the protocol object over a real MIDI
// service, with the same answers the device gives in-process.
#include "ProtocolProbe.h"
#include "SimProcess.h"
#include "TestEnv.h"

#include "ProfileStore.h"

#include <QSettings>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class SimOverMidi : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(service.start(error)) << error;
        dir = TestEnv::freshDir("sim-midi");
        settings = std::make_unique<QSettings>(
            QString::fromStdString(dir + "/editor.ini"), QSettings::IniFormat);
        SetProfileStore(settings.get());
    }
    void TearDown() override { SetProfileStore(nullptr); }

    // Starts the program and points the protocol object's settings at its ports.
    void launch(SimProcess& sim, const QStringList& extra)
    {
        QStringList args { "--api", QString::fromStdString(service.api()), "--port-name",
            QString::fromStdString(portName), "--log" };
        args += extra;
        std::string error;
        ASSERT_TRUE(sim.start(args, error)) << error;
        std::string in, out;
        ASSERT_TRUE(findSimPorts(portName, in, out, 10000))
            << "the simulator's ports did not appear";
        WriteProfileString("MIDI", "In", in.c_str());
        WriteProfileString("MIDI", "Out", out.c_str());
    }

    MidiService service;
    std::string dir;
    std::unique_ptr<QSettings> settings;
    const std::string portName = "Q7300 Sim Test " + std::to_string(::getpid());
};

} // namespace

TEST_F(SimOverMidi, ReadsIdentificationEveryValueAndEveryGainOfEachModel)
{
    for (int m = 0; m < modelCount; ++m) {
        const char* model = main_table[m].modelName;
        SCOPED_TRACE(model);
        const std::string stateFile = dir + "/sim-" + model + ".state";
        SimProcess sim;
        launch(sim, { "--model", model, "--state", QString::fromStdString(stateFile) });
        if (HasFatalFailure())
            return;
        {
            RecordingProcessor p(nullptr);
            ReplyWindow w(p);
            SimDevice reference(m);

            ASSERT_EQ(p.SendIdentityRequest(&w), 0);
            ASSERT_TRUE(waitForReplies(p, 1));
            ASSERT_EQ(p.events.size(), 1u);
            EXPECT_EQ(p.events[0].command, 0);
            EXPECT_NE(p.events[0].text.find("manuf(7d)"), std::string::npos);
            EXPECT_NE(p.events[0].text.find(std::string("\r\n") + model + " simulator"),
                std::string::npos);

            // Every answer over MIDI equals the in-process device's answer.
            auto same = [&](unsigned char command, long key, int index) {
                p.events.clear();
                char text[32];
                if (command == 49) {
                    ASSERT_EQ(p.GetObjectInfo(key, index, &w), 0);
                    std::snprintf(text, sizeof text, "%lx %d", key, index);
                } else {
                    ASSERT_EQ(p.GetKeyValue(key, &w), 0);
                    std::snprintf(text, sizeof text, "%lx", key);
                }
                ASSERT_TRUE(waitForReplies(p, 1)) << text;
                ASSERT_EQ(p.events.size(), 1u) << text;
                const Reply expected = askOne(reference, command, text);
                EXPECT_EQ(p.events[0].command, expected.command) << text;
                EXPECT_EQ(p.events[0].text, expected.text) << text;
            };
            same(49, 0, 1);
            EXPECT_EQ(p.events[0].text, std::string("COL 1 0 0 '") + model);
            for (long key : valueKeys(reference.Model()))
                same(59, key, 0);
            for (const auto& g : reference.Model().Gains())
                same(49, g.key, 3);

            // Sets are stored, a refused one is reported as the device's error text.
            ASSERT_EQ(p.SetKeyValue(SimModel::kModeKey, 2, &w), 0);
            ASSERT_EQ(p.SetKeyValue(0x10030013, -4.5f, &w), 0);
            ASSERT_EQ(p.SetKeyValue(0x1001081a, 500, &w), 0);
            p.events.clear();
            ASSERT_TRUE(waitForReplies(p, 1));
            ASSERT_EQ(p.of("error").size(), 1u);
            EXPECT_EQ(p.events[0].text.rfind("Value 500 out of range", 0), 0u) << p.events[0].text;
            ASSERT_EQ(p.GetKeyValue(SimModel::kModeKey, &w), 0);
            ASSERT_TRUE(waitForReplies(p, 2));
            ASSERT_EQ(p.events.size(), 2u);
            EXPECT_EQ(p.events[1].text, "10010016 2");
        }
        // A clean stop saves the state; the log shows what was received.
        EXPECT_EQ(sim.stop(), 0);
        const std::string state = readFile(stateFile);
        EXPECT_NE(state.find(std::string("model ") + model + "\n"), std::string::npos);
        EXPECT_NE(state.find("value 10010016 2"), std::string::npos);
        EXPECT_NE(state.find("gain 10030013 -4.500000"), std::string::npos);
        EXPECT_NE(sim.output().find("\"10010016 2\""), std::string::npos);
        EXPECT_NE(sim.output().find("q7300-sim: stopped"), std::string::npos);
    }
}
