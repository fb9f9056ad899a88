#pragma once
// q7300-sim run as a child process by a test (SIM_PROGRAM names it), the MIDI
// service it runs on (the ALSA sequencer where it exists, else a private JACK
// server that the test may also stop), and the names its ports are listed by.
#include "JackServer.h"
#include "SimPortNames.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <memory>
#include <string>
#include <unistd.h>

class SimProcess {
public:
    SimProcess() = default;
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;
    ~SimProcess() { stop(); }

    // Starts it and waits for the "ready" line of this run. A JACK server
    // that another test starts at that moment can make its first client fail
    // to open: a program that ends at once is started once more.
    bool start(const QStringList& args, std::string& error)
    {
        if (startOnce(args, error))
            return true;
        if (process_.state() == QProcess::Running)
            return false; // not ready in time
        QThread::msleep(500);
        return startOnce(args, error);
    }

    // Everything it printed in this run so far.
    const std::string& output()
    {
        out_ += process_.readAllStandardOutput().toStdString();
        return out_;
    }

    // Lines of its log that report a message it sent.
    int sentCount()
    {
        const std::string& s = output();
        int n = 0;
        for (auto at = s.find(" out "); at != std::string::npos; at = s.find(" out ", at + 1))
            ++n;
        return n;
    }

    // SIGKILL, as a crash or a pulled cable would end it: no goodbye, no state saved.
    void kill()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    // SIGTERM and wait, SIGKILL when it does not end; its exit code, -1 when it crashed.
    int stop()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(10000)) {
                process_.kill();
                process_.waitForFinished(5000);
            }
            output();
        }
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

private:
    bool startOnce(const QStringList& args, std::string& error)
    {
        out_.clear();
        process_.start(QStringLiteral(SIM_PROGRAM), args);
        if (!process_.waitForStarted(5000)) {
            error = "q7300-sim did not start";
            return false;
        }
        QElapsedTimer t;
        t.start();
        while (output().find(" ready on ") == std::string::npos) {
            if (process_.state() != QProcess::Running || t.elapsed() > 15000) {
                error = "q7300-sim is not ready: " + output()
                    + process_.readAllStandardError().toStdString();
                return false;
            }
            process_.waitForReadyRead(100);
        }
        return true;
    }

    QProcess process_;
    std::string out_;
};

// The MIDI service: "alsa" or "jack".
class MidiService {
public:
    bool start(std::string& error)
    {
        if (::access("/dev/snd/seq", F_OK) == 0) {
            api_ = "alsa";
            return true;
        }
        jack_ = std::make_unique<JackServer>();
        if (!jack_->start()) {
            error = jack_->error();
            return false;
        }
        api_ = "jack";
        return true;
    }
    const std::string& api() const { return api_; }
    // Stops the private JACK server; false when the service is not one.
    bool stopJack()
    {
        if (jack_)
            jack_->stop();
        return jack_ != nullptr;
    }
    // Starts it again under the same name and waits until it answers.
    bool restartJack() { return jack_ && jack_->restart(); }

private:
    std::unique_ptr<JackServer> jack_;
    std::string api_;
};

// The full names under which the editor's port lists show the simulator's
// ports, waited for up to ms milliseconds; false when they did not appear.
inline bool findSimPorts(const std::string& portName, std::string& in, std::string& out, int ms)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        in = listedSimulatorPort(true, portName);
        out = listedSimulatorPort(false, portName);
        if (!in.empty() && !out.empty())
            return true;
        if (t.elapsed() >= ms)
            return false;
        QThread::msleep(100);
    }
}
