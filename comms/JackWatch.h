#pragma once
// Learns of the JACK server's end, and of ports coming and going, through a
// JACK client of its own: the library's MIDI clients do not pass the server's
// shutdown on, and a client whose server has gone must not be called again.
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QSocketNotifier;
class RtMidiIn;
class RtMidiOut;
struct _jack_client;

class JackWatch {
public:
    // What the watch reports on the user-interface thread.
    enum Event { ServerGone, PortsChanged };

    // Opens the watching client on the default server; null when none answers
    // or JACK is not compiled in. Without a handler it reports nothing and
    // needs no event loop: it only counts changes of the graph.
    static std::unique_ptr<JackWatch> start(std::function<void(Event)> onEvent);
    ~JackWatch();
    JackWatch(const JackWatch&) = delete;
    JackWatch& operator=(const JackWatch&) = delete;

    // Whether the server's shutdown has been reported (set on JACK's thread,
    // so it may be true before the event has reached the handler).
    bool serverGone() const;
    // Whether a port of this full name exists now; only while the server lives.
    bool hasPort(const char* fullName) const;
    // Makes sure port `from` feeds the one port whose name matches the regular
    // expression `to` (output `from` to an input when fromIsOutput, else the
    // other way round), connecting them when the library's own connection
    // did not happen. False when they are not connected afterwards.
    bool ensureConnected(const char* from, const char* to, bool fromIsOutput) const;
    // Whether a JACK server answers now; asks without printing anything.
    static bool serverAnswers();
    // How many changes of the graph the server has reported so far.
    unsigned graphChanges() const;
    // Sleeps until the graph has been still for two of the server's periods
    // and, when `since` is given, until a change after that count has been
    // reported: by then the server has told every client of it. At most half
    // a second; returns at once when the server has gone.
    void waitForStillGraph(std::optional<unsigned> since = {}) const;
    // Runs each step once the graph is still and, after the first, once the
    // server has reported the change the step before made (the first step
    // waits as waitForStillGraph(since) does). libjack walks a client's port
    // list on the client's notification thread for every change, with no lock
    // against jack_port_unregister taking a port out of it: ports close
    // through this.
    void runInTurn(
        const std::vector<std::function<void()>>& steps, std::optional<unsigned> since = {}) const;
    // Closes the ports of a MIDI input and output (either may be null) that
    // way, or plainly without a watch; the input's callback is cancelled first.
    static void closeInTurn(const JackWatch* watch, RtMidiIn* in, RtMidiOut* out);

    struct Shared; // what JACK's threads may still touch

private:
    JackWatch() = default;
    void readEvents();

    _jack_client* client_ = nullptr;
    Shared* shared_ = nullptr;
    int readFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void(Event)> onEvent_;
};
