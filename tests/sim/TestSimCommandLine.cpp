// The q7300-sim command line: options, the state file it starts from, and the
// start-up script that ./run uses to put it in front of the editor.
#include "JackServer.h"
#include "SimDevice.h"
#include "TestEnv.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QThread>

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct SimRun {
    int code = -1;
    std::string out;
    std::string err;
};

SimRun runSim(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(SIM_PROGRAM), args);
    SimRun r;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// True once the process is gone (or only a zombie left for its parent).
bool gone(int pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string all;
    if (!std::getline(stat, all))
        return true;
    const auto close = all.rfind(')');
    return close != std::string::npos && close + 2 < all.size() && all[close + 2] == 'Z';
}

} // namespace

TEST(SimCommandLine, DumpsTheStateOfTheModelOrOfTheStateFile)
{
    SimRun r = runSim({ "--dump" });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, SimDevice(2).Dump());
    r = runSim({ "--model", "q7300a", "--dump" });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, SimDevice(1).Dump());

    // Without --model the state file names the model.
    const std::string dir = TestEnv::freshDir("sim-program");
    const std::string state = dir + "/base.state";
    writeFile(state, "model Q7300\nvalue 10010016 9\ngain 10030013 -1.5\n");
    r = runSim({ "--state", QString::fromStdString(state), "--dump" });
    EXPECT_EQ(r.code, 0);
    SimDevice expected(0);
    std::string why;
    ASSERT_TRUE(expected.Load(readFile(state), why));
    EXPECT_EQ(r.out, expected.Dump());
    EXPECT_NE(r.out.find("value 10010016 9"), std::string::npos);
}

TEST(SimCommandLine, RefusesAStateFileItCannotUseAndLeavesItAlone)
{
    const std::string dir = TestEnv::freshDir("sim-program");
    const std::string other = dir + "/other.state";
    const std::string otherText = "model Q7300\nvalue 10010016 9\n";
    writeFile(other, otherText);
    SimRun r = runSim({ "--model", "Q7300FW", "--state", QString::fromStdString(other), "--dump" });
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("another model"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(other), otherText);

    const std::string bad = dir + "/bad.state";
    const std::string badText = "model Q7300\nvalue 1001081a 50\n";
    writeFile(bad, badText);
    r = runSim({ "--state", QString::fromStdString(bad) });
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("line 2: Value 50 out of range"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(bad), badText);
}

TEST(SimCommandLine, RejectsWrongOptions)
{
    for (const QStringList& args : { QStringList { "--model", "Q9000" },
             QStringList { "--api", "oss" }, QStringList { "--latency", "-5" },
             QStringList { "--latency" }, QStringList { "--ignore", "many" },
             QStringList { "--port-name", "" }, QStringList { "--bogus" } }) {
        const SimRun r = runSim(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_NE(r.err.find("Try 'q7300-sim --help'"), std::string::npos) << r.err;
    }
    const SimRun help = runSim({ "--help" });
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.rfind("Usage: q7300-sim", 0), 0u);
    EXPECT_NE(help.out.find("--ignore N"), std::string::npos);
    const SimRun v = runSim({ "--version" });
    EXPECT_EQ(v.code, 0);
    EXPECT_TRUE(
        QString::fromStdString(v.out).contains(QRegularExpression("^q7300-sim \\d+\\.\\d+\\n")))
        << v.out;
}

TEST(SimCommandLine, StartScriptRunsTheSimulatorAndPointsTheEditorAtIt)
{
    const std::string root = TestEnv::freshDir("sim-env");
    const std::string data = root + "/data";
    const std::string appData = data + "/Zorvanta/q7300-routing";
    // The editor keeps its ini file in "<data folder>/q7300-routing" when that folder exists.
    const std::string iniFolder = data + "/q7300-routing";
    QDir().mkpath(QString::fromStdString(appData));
    QDir().mkpath(QString::fromStdString(iniFolder));
    const std::string port = "Q7300 Env Test " + std::to_string(::getpid());
    JackServer turn; // the script's JACK server and clients
    turn.takeTurn();

    QProcess bash;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("JACK_DEFAULT_SERVER");
    env.insert("XDG_DATA_HOME", QString::fromStdString(data));
    env.insert("XDG_STATE_HOME", QString::fromStdString(root + "/state"));
    bash.setProcessEnvironment(env);
    const QString script = QStringLiteral(
        "source '%1' && pids=() && start_sim '%2' Q7300 '%3'; rc=$?; echo \"PIDS ${pids[*]}\"; "
        "exit $rc")
                               .arg(SIM_ENV_SCRIPT, SIM_PROGRAM, QString::fromStdString(port));
    bash.start(QStringLiteral("bash"), { "-c", script });
    ASSERT_TRUE(bash.waitForFinished(60000));
    const std::string out = bash.readAllStandardOutput().toStdString();
    const std::string err = bash.readAllStandardError().toStdString();

    // The processes it started, stopped afterwards by their ids: device first.
    std::vector<int> pids;
    std::istringstream words(out.substr(out.find("PIDS") + 4));
    for (int pid; words >> pid;)
        pids.push_back(pid);
    auto stopAll = [&] {
        for (int pid : pids) {
            ::kill(pid, SIGTERM);
            for (int i = 0; i < 200 && !gone(pid); ++i)
                QThread::msleep(50);
        }
    };
    EXPECT_EQ(bash.exitCode(), 0) << out << err;
    EXPECT_GE(pids.size(), 1u);

    QSettings ini(QString::fromStdString(iniFolder + "/q7300-routing.ini"), QSettings::IniFormat);
    const std::string in = ini.value("MIDI/In").toString().toStdString();
    const std::string outPort = ini.value("MIDI/Out").toString().toStdString();
    EXPECT_NE(in.find(":" + port), std::string::npos) << in;
    EXPECT_NE(outPort.find(":" + port), std::string::npos) << outPort;
    EXPECT_NE(in, outPort) << "replies come from the device's output, requests go to its input";
    EXPECT_EQ(ini.value("Zorvanta Drivers/CommName").toInt(), 1);
    EXPECT_EQ(ini.value("main/local").toInt(), 0);

    stopAll();
    for (int pid : pids)
        EXPECT_TRUE(gone(pid)) << pid;
    const std::string state = readFile(root + "/state/q7300-routing/sim-Q7300.state");
    EXPECT_NE(state.find("model Q7300\n"), std::string::npos);
    EXPECT_NE(readFile(root + "/state/q7300-routing/sim.log").find("q7300-sim: stopped"),
        std::string::npos);
}
