#pragma once
// q7300-sim as a child process that a fault test may kill outright, and the
// MIDI service it runs on (the ALSA sequencer where it exists, else a private
// JACK server that the test may also stop).
#include "JackServer.h"

#include <QElapsedTimer>
#include <QProcess>

#include <memory>
#include <string>

namespace faults {

class SimProcess {
public:
    SimProcess() = default;
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;
    ~SimProcess() { stop(); }

    // Starts it and waits for its "ready" line.
    bool start(const QStringList& args, std::string& error);
    // Everything it printed so far.
    const std::string& output();
    // Lines of its log that report a message it sent.
    int sentCount();
    // SIGKILL, as a crash or a pulled cable would end it: no goodbye, no state saved.
    void kill();
    // SIGTERM and wait; SIGKILL when it does not end.
    void stop();
    bool running() const { return process_.state() == QProcess::Running; }

private:
    QProcess process_;
    std::string out_;
};

// The MIDI service: "alsa" or "jack".
class MidiServiceForFaults {
public:
    bool start(std::string& error);
    const std::string& api() const { return api_; }
    // Stops the private JACK server; false when the service is not one.
    bool stopJack();
    // Starts it again under the same name and waits until it answers.
    bool restartJack() { return jack_ && jack_->restart(); }

private:
    std::unique_ptr<JackServer> jack_;
    std::string api_;
};

// The full names under which the editor's port lists show the simulator's
// ports, waited for up to ms milliseconds; empty when they did not appear.
bool findSimPorts(const std::string& portName, std::string& in, std::string& out, int ms);

} // namespace faults
