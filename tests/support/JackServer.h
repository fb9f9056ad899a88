#pragma once
// A private JACK server for tests: `jackd -n <unique name> -d dummy`, made the
// default server of this process, waited for until it answers, and always
// stopped by its process id. It keeps jackd's realtime threads (where the
// system allows them): without, the clients miss cycles on a busy machine and
// lose the MIDI messages of those cycles.
// JACK names a client's notification socket after the client and the user
// only (/dev/shm/jack_<client>_<uid>_0), not after its server: two processes
// opening clients of one name ("RtMidi Input Client", "peerin") on two
// private servers at once take over each other's socket, and a server then
// talks to the other process's client (failed opens, clients shut down, a
// crash inside the library). So tests take turns: a process holds a
// machine-wide lock from its first server's start until its servers are gone.
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/file.h>
#include <unistd.h>

class JackServer {
public:
    JackServer() = default;
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;
    ~JackServer()
    {
        stop();
        if (locked_)
            holdTurn(false);
    }

    // Starts the server and waits until a client can reach it. False (with
    // the reason in error()) when it does not come up in time.
    bool start(int timeoutMs = 15000)
    {
        static std::atomic<int> counter { 0 };
        takeTurn();
        name_ = "q7300-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        return launch(timeoutMs);
    }

    // Waits for this process's turn at JACK without starting a server, for a
    // test whose server a script starts; kept until this object goes.
    void takeTurn()
    {
        if (!locked_)
            locked_ = holdTurn(true);
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
    // Takes (or gives back) this process's turn at JACK; true once taken.
    static bool holdTurn(bool take)
    {
        static std::mutex mutex;
        static int holders = 0;
        static int fd = -1;
        std::lock_guard<std::mutex> guard(mutex);
        if (take && holders++ == 0) {
            fd = ::open("/tmp/q7300-jack-tests.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0666);
            if (fd >= 0)
                ::flock(fd, LOCK_EX);
        } else if (!take && --holders == 0 && fd >= 0) {
            ::close(fd);
            fd = -1;
        }
        return take;
    }

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
    bool locked_ = false;
};
