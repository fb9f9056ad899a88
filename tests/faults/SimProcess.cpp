#include "SimProcess.h"

#include "SimPortNames.h"

#include <QThread>

#include <unistd.h>

namespace faults {

bool SimProcess::start(const QStringList& args, std::string& error)
{
    // A second run must not take the first run's "ready" line for its own.
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

const std::string& SimProcess::output()
{
    out_ += process_.readAllStandardOutput().toStdString();
    return out_;
}

int SimProcess::sentCount()
{
    const std::string& s = output();
    int n = 0;
    for (std::size_t at = s.find(" out "); at != std::string::npos; at = s.find(" out ", at + 1))
        ++n;
    return n;
}

void SimProcess::kill()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.kill();
    process_.waitForFinished(5000);
}

void SimProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
    output();
}

bool MidiServiceForFaults::start(std::string& error)
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

bool MidiServiceForFaults::stopJack()
{
    if (!jack_)
        return false;
    jack_->stop();
    return true;
}

bool findSimPorts(const std::string& portName, std::string& in, std::string& out, int ms)
{
    QElapsedTimer t;
    t.start();
    do {
        in = listedSimulatorPort(true, portName);
        out = listedSimulatorPort(false, portName);
        if (!in.empty() && !out.empty())
            return true;
        QThread::msleep(100);
    } while (t.elapsed() < ms);
    return false;
}

} // namespace faults
