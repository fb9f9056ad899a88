#pragma once
// A private JACK server for tests: `jackd -n <unique name> -d dummy`, made the
// default server of this process, waited for until it answers, and always
// stopped by its process id. It keeps jackd's realtime threads (where the
// system allows them): without, the clients miss cycles on a busy machine and
// lose the MIDI messages of those cycles.
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <atomic>
#include <cstdlib>
#include <string>
#include <unistd.h>

class JackServer {
public:
    JackServer() = default;
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;
    ~JackServer() { stop(); }

    // Starts the server and waits until a client can reach it. False (with
    // the reason in error()) when it does not come up in time.
    bool start(int timeoutMs = 15000)
    {
        static std::atomic<int> counter { 0 };
        name_ = "q7300-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        return launch(timeoutMs);
    }

    // Starts a stopped server again under the same name, as a studio restarts it.
    bool restart(int timeoutMs = 15000)
    {
        stop();
        return launch(timeoutMs);
    }

    // Stops the server (by its process id) and waits for it to end.
    void stop()
    {
        if (jackd_.state() == QProcess::NotRunning)
            return;
        jackd_.terminate();
        if (!jackd_.waitForFinished(5000)) {
            jackd_.kill();
            jackd_.waitForFinished(5000);
        }
    }

    bool running() const { return jackd_.state() == QProcess::Running; }
    const std::string& name() const { return name_; }
    const std::string& error() const { return error_; }

private:
    bool launch(int timeoutMs)
    {
        // Clients must never start a server of their own.
        ::setenv("JACK_NO_START_SERVER", "1", 1);
        ::setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
        jackd_.setProcessChannelMode(QProcess::MergedChannels);
        jackd_.start(QStringLiteral("jackd"),
            { QStringLiteral("-n"), QString::fromStdString(name_), QStringLiteral("-d"),
                QStringLiteral("dummy"), QStringLiteral("-r"), QStringLiteral("48000") });
        if (!jackd_.waitForStarted(5000)) {
            error_ = "jackd did not start: " + jackd_.errorString().toStdString();
            return false;
        }
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < timeoutMs) {
            if (jackd_.state() != QProcess::Running) {
                error_ = "jackd ended: " + jackd_.readAll().toStdString();
                return false;
            }
            QProcess probe;
            probe.start(QStringLiteral("jack_lsp"), {});
            if (probe.waitForFinished(5000) && probe.exitStatus() == QProcess::NormalExit
                && probe.exitCode() == 0)
                return true;
            QThread::msleep(100);
        }
        error_ = "jackd did not answer in time";
        stop();
        return false;
    }

    QProcess jackd_;
    std::string name_;
    std::string error_;
};
