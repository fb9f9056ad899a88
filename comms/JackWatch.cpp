#include "JackWatch.h"

#include <QSocketNotifier>

#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

#ifdef Q7300_HAVE_JACK
#include <jack/jack.h>
#endif

// The write end of the pipe and the shutdown flag. JACK's notification
// thread may still report port changes after the shutdown callback, so once
// the server has gone neither this nor the pipe is ever released, and the
// client is forgotten, not closed, since closing it would call into the dead
// server: a few bytes and two descriptors per lost server.
struct JackWatch::Shared {
    int writeFd = -1;
    std::atomic<bool> gone { false };
    std::atomic<unsigned> graphChanges { 0 };
};

#ifdef Q7300_HAVE_JACK
namespace {

// Both run on JACK's threads: only async-safe calls, as JACK asks.
void onShutdown(jack_status_t, const char*, void* arg)
{
    auto* shared = static_cast<JackWatch::Shared*>(arg);
    shared->gone.store(true);
    const char byte = 'S';
    [[maybe_unused]] ssize_t n = ::write(shared->writeFd, &byte, 1);
}

void onPortRegistration(jack_port_id_t, int, void* arg)
{
    auto* shared = static_cast<JackWatch::Shared*>(arg);
    const char byte = 'P';
    [[maybe_unused]] ssize_t n = ::write(shared->writeFd, &byte, 1);
}

// The server reports a new order of the graph after it has told every
// client of the change's latencies and waited for each to answer.
int onGraphOrder(void* arg)
{
    static_cast<JackWatch::Shared*>(arg)->graphChanges.fetch_add(1);
    return 0;
}

} // namespace
#endif

std::unique_ptr<JackWatch> JackWatch::start(std::function<void(Event)> onEvent)
{
#ifdef Q7300_HAVE_JACK
    jack_status_t status {};
    jack_client_t* client = jack_client_open("q7300-routing watch", JackNoStartServer, &status);
    if (!client)
        return nullptr;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        jack_client_close(client);
        return nullptr;
    }
    std::unique_ptr<JackWatch> watch(new JackWatch);
    watch->client_ = client;
    watch->shared_ = new Shared;
    watch->shared_->writeFd = fds[1];
    watch->readFd_ = fds[0];
    watch->onEvent_ = std::move(onEvent);
    if (watch->onEvent_) {
        watch->notifier_ = std::make_unique<QSocketNotifier>(fds[0], QSocketNotifier::Read);
        JackWatch* self = watch.get();
        QObject::connect(
            watch->notifier_.get(), &QSocketNotifier::activated, [self] { self->readEvents(); });
    }
    jack_on_info_shutdown(client, &onShutdown, watch->shared_);
    jack_set_port_registration_callback(client, &onPortRegistration, watch->shared_);
    jack_set_graph_order_callback(client, &onGraphOrder, watch->shared_);
    jack_activate(client);
    return watch;
#else
    (void)onEvent;
    return nullptr;
#endif
}

JackWatch::~JackWatch()
{
    notifier_.reset();
    if (serverGone())
        return; // see Shared: the client, the pipe and the flag stay behind
#ifdef Q7300_HAVE_JACK
    if (client_)
        jack_client_close(client_);
#endif
    if (shared_) {
        ::close(shared_->writeFd);
        delete shared_;
    }
    if (readFd_ >= 0)
        ::close(readFd_);
}

bool JackWatch::serverGone() const
{
    return shared_ && shared_->gone.load();
}

bool JackWatch::hasPort(const char* fullName) const
{
#ifdef Q7300_HAVE_JACK
    return client_ && !serverGone() && jack_port_by_name(client_, fullName) != nullptr;
#else
    (void)fullName;
    return false;
#endif
}

bool JackWatch::ensureConnected(const char* from, const char* to, bool fromIsOutput) const
{
#ifdef Q7300_HAVE_JACK
    if (!client_ || serverGone())
        return false;
    const char** ours = jack_get_ports(
        client_, to, JACK_DEFAULT_MIDI_TYPE, fromIsOutput ? JackPortIsInput : JackPortIsOutput);
    if (!ours)
        return false;
    // Several matches belong to several editors: none of them is touched.
    const bool one = ours[0] && !ours[1];
    const std::string own = one ? ours[0] : "";
    jack_free(ours);
    jack_port_t* port = jack_port_by_name(client_, from);
    if (!one || !port)
        return false;
    if (jack_port_connected_to(port, own.c_str()))
        return true;
    // The library does not check its connection request, which a busy
    // server may refuse.
    std::fprintf(stderr, "MIDIwin: connecting %s and %s again\n", from, own.c_str());
    const int err = fromIsOutput ? jack_connect(client_, from, own.c_str())
                                 : jack_connect(client_, own.c_str(), from);
    return err == 0 || err == EEXIST;
#else
    (void)from;
    (void)to;
    (void)fromIsOutput;
    return false;
#endif
}

bool JackWatch::serverAnswers()
{
#ifdef Q7300_HAVE_JACK
    // The library reports a missing server on standard error; a probe made
    // every few seconds would fill it.
    void (*previous)(const char*) = jack_error_callback;
    jack_set_error_function([](const char*) {});
    jack_status_t status {};
    jack_client_t* probe = jack_client_open("q7300-routing probe", JackNoStartServer, &status);
    jack_set_error_function(previous);
    if (!probe)
        return false;
    jack_client_close(probe);
    return true;
#else
    return false;
#endif
}

unsigned JackWatch::graphChanges() const
{
    return shared_ ? shared_->graphChanges.load() : 0;
}

void JackWatch::waitForStillGraph(std::optional<unsigned> since) const
{
#ifdef Q7300_HAVE_JACK
    using Clock = std::chrono::steady_clock;
    if (!client_ || serverGone())
        return;
    const jack_nframes_t rate = std::max<jack_nframes_t>(jack_get_sample_rate(client_), 1);
    const auto period = std::chrono::microseconds(1000000LL * jack_get_buffer_size(client_) / rate);
    const auto still = std::max<Clock::duration>(2 * period, std::chrono::milliseconds(5));
    const auto start = Clock::now();
    auto lastChange = start;
    // A change already reported since `since` is seen in the first turn.
    unsigned seen = since.value_or(graphChanges());
    bool changed = !since;
    while (!serverGone() && Clock::now() - start < std::chrono::milliseconds(500)) {
        const unsigned now = graphChanges();
        if (now != seen) {
            seen = now;
            lastChange = Clock::now();
            changed = true;
        }
        if (changed && Clock::now() - lastChange >= still)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
#else
    (void)since;
#endif
}

void JackWatch::runInTurn(
    const std::vector<std::function<void()>>& steps, std::optional<unsigned> since) const
{
    std::optional<unsigned> previous = since;
    for (const auto& step : steps) {
        waitForStillGraph(previous);
        previous = graphChanges();
        step();
    }
}

void JackWatch::closeInTurn(const JackWatch* watch, RtMidiIn* in, RtMidiOut* out)
{
    std::vector<std::function<void()>> steps;
    if (in)
        steps.push_back([in] {
            in->cancelCallback();
            in->closePort();
        });
    if (out)
        steps.push_back([out] { out->closePort(); });
    try {
        if (watch)
            watch->runInTurn(steps);
        else
            for (const auto& step : steps)
                step();
    } catch (const RtMidiError& e) {
        e.printMessage();
    }
}

void JackWatch::readEvents()
{
    char bytes[64];
    bool gone = false;
    bool ports = false;
    for (;;) {
        const ssize_t n = ::read(readFd_, bytes, sizeof bytes);
        if (n <= 0)
            break;
        for (ssize_t i = 0; i < n; ++i)
            (bytes[i] == 'S' ? gone : ports) = true;
    }
    // The handler may delete this watch: nothing is touched after it.
    const std::function<void(Event)> handler = onEvent_;
    if (gone) {
        notifier_->setEnabled(false);
        if (handler)
            handler(ServerGone);
    } else if (ports && handler) {
        handler(PortsChanged);
    }
}
