#pragma once
#include "SimPortNames.h"
// q7300-sim run as a child process by a test, and the MIDI service it needs:
// the ALSA sequencer where it exists, else a private JACK server.
#include "JackServer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <memory>
#include <string>
#include <unistd.h>

class SimProgram {
public:
    SimProgram() = default;
    SimProgram(const SimProgram&) = delete;
    SimProgram& operator=(const SimProgram&) = delete;
    ~SimProgram() { stop(); }

    // Starts the program and waits for its "ready" line.
    bool start(const QStringList& args, std::string& error)
    {
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

    // Everything it printed so far.
    const std::string& output()
    {
        out_ += process_.readAllStandardOutput().toStdString();
        return out_;
    }

    // Stops it with SIGTERM, by its process id; its exit code, -1 when it crashed.
    int stop()
    {
        if (process_.state() == QProcess::NotRunning)
            return exitCode();
        process_.terminate();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
        output();
        return exitCode();
    }

private:
    int exitCode() const
    {
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    QProcess process_;
    std::string out_;
};

// The MIDI service the protocol object's transport will use.
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

private:
    std::unique_ptr<JackServer> jack_;
    std::string api_;
};

// The name under which the editor's side lists a port called `portName`, or
