#include "SimRunner.h"

#include "SimDevice.h"
#include "SimPorts.h"

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <deque>
#include <fstream>
#include <mutex>
#include <pthread.h>
#include <sstream>
#include <thread>

namespace {

// Wall-clock time of day with milliseconds, for the log.
std::string timeStamp()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    const int ms
        = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm tm {};
    localtime_r(&t, &tm);
    char b[32];
    std::snprintf(b, sizeof b, "%02d:%02d:%02d.%03d", tm.tm_hour, tm.tm_min, tm.tm_sec, ms);
    return b;
}

// What the MIDI thread and the signal thread hand to the main loop.
struct Mailbox {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<SimBytes> received;
    bool stop = false;
    bool dump = false;
};

void printDump(const SimDevice& device)
{
    std::istringstream lines(device.Dump());
    std::string line;
    const std::string stamp = timeStamp();
    while (std::getline(lines, line))
        std::printf("%s state %s\n", stamp.c_str(), line.c_str());
    std::fflush(stdout);
}

} // namespace

bool readTextFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad())
        return false;
    text = all.str();
    return true;
}

bool writeTextFileAtomically(const std::string& path, const std::string& text, std::string& error)
{
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            error = "cannot write " + temp;
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        error = "cannot replace " + path;
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

int runSimulator(const SimOptions& o)
{
    // The state file, when there is one, may name the model.
    std::string stateText;
    const bool haveState = !o.stateFile.empty() && readTextFile(o.stateFile, stateText);
    int model = o.model;
    if (haveState) {
        const int stateModel = SimDevice::ModelOfDump(stateText);
        if (model < 0)
            model = stateModel;
        else if (stateModel >= 0 && stateModel != model) {
            std::fprintf(stderr,
                "q7300-sim: %s holds the state of another model; name another state file\n",
                o.stateFile.c_str());
            return 2;
        }
    }
    if (model < 0)
        model = 2; // Q7300FW
    SimDevice device(model);
    if (haveState) {
        std::string why;
        if (!device.Load(stateText, why)) {
            // Refuse rather than start afresh and overwrite the user's file at exit.
            std::fprintf(stderr, "q7300-sim: %s: %s\n", o.stateFile.c_str(), why.c_str());
            return 1;
        }
    }
    if (o.dump) {
        std::fputs(device.Dump().c_str(), stdout);
        return 0;
    }
    device.SetLatency(o.latency);
    device.SetIgnoreRequests(o.ignore);
    device.SetEcho(o.echo);
    if (o.log)
        device.SetLog([](bool incoming, const SimBytes& bytes, const std::string& what) {
            std::printf("%s %s %s%s%s\n", timeStamp().c_str(), incoming ? "in " : "out",
                hexBytes(bytes).c_str(), bytes.empty() ? "" : "  ", what.c_str());
            std::fflush(stdout);
        });

    // Signals are taken by one thread with sigwait; every other thread,
    // the MIDI library's included, inherits the blocked mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    sigaddset(&signals, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    Mailbox box;
    SimPorts ports;
    std::string error;
    const bool opened = ports.Open(
        o.api, o.portName,
        [&box](SimBytes bytes) {
            std::lock_guard lock(box.mutex);
            box.received.push_back(std::move(bytes));
            box.wake.notify_one();
        },
        error);
    if (!opened) {
        std::fprintf(stderr, "q7300-sim: cannot open the MIDI ports: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s q7300-sim: %s ready on %s ports \"%s\"\n", timeStamp().c_str(),
        device.Model().Name(), ports.ApiName(), o.portName.c_str());
    std::fflush(stdout);
    if (o.log)
        printDump(device);

    std::thread signalThread([&box, signals] {
        for (;;) {
            int sig = 0;
            if (sigwait(&signals, &sig) != 0)
                continue;
            std::lock_guard lock(box.mutex);
            if (sig == SIGUSR1) {
                box.dump = true;
            } else {
                box.stop = true;
                box.wake.notify_one();
                return;
            }
            box.wake.notify_one();
        }
    });

    const auto start = std::chrono::steady_clock::now();
    auto clock = [start] {
        return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start)
                                              .count());
    };
    for (;;) {
        std::deque<SimBytes> work;
        bool dump = false;
        {
            std::unique_lock lock(box.mutex);
            auto ready = [&] { return box.stop || box.dump || !box.received.empty(); };
            if (const auto due = device.NextDue()) {
                const auto wait = static_cast<std::int32_t>(*due - clock());
                if (wait > 0)
                    box.wake.wait_for(lock, std::chrono::milliseconds(wait), ready);
            } else {
                box.wake.wait(lock, ready);
            }
            if (box.stop)
                break;
            work.swap(box.received);
            dump = box.dump;
            box.dump = false;
        }
        for (const SimBytes& message : work)
            device.Receive(message, clock());
        for (const SimBytes& reply : device.TakeDue(clock()))
            if (!ports.Send(reply, error))
                std::fprintf(stderr, "q7300-sim: cannot send: %s\n", error.c_str());
        if (dump)
            printDump(device);
    }
    signalThread.join();
    // The state first: a MIDI service going away at the same time must not cost it.
    int rc = 0;
    if (!o.stateFile.empty() && !writeTextFileAtomically(o.stateFile, device.Dump(), error)) {
        std::fprintf(stderr, "q7300-sim: the state was not saved: %s\n", error.c_str());
        rc = 1;
    }
    ports.Close();
    if (o.log)
        printDump(device);
    std::printf("%s q7300-sim: stopped\n", timeStamp().c_str());
    std::fflush(stdout);
    return rc;
}
