#pragma once
#include "SimDumps.h"
#include "SimModel.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

using SimBytes = std::vector<unsigned char>;

// The simulated Q7300 device: one model's routing values, port options, mode
// setting and gains, answering the editor's system-exclusive requests. It does
// no input or output itself: whole incoming messages are handed to Receive and
// the replies are taken from its outbox when due, so the MIDI program and the
// in-process loopback share it, and tests drive it with their own clock.
class SimDevice {
public:
    explicit SimDevice(int modelIndex = 2);

    const SimModel& Model() const { return model_; }

    // --- behaviour options
    void SetLatency(std::uint32_t milliseconds) { latency_ = milliseconds; }
    // The first n requests that expect a reply (object information, value and
    // identity requests) are dropped unanswered; set messages are never dropped.
    void SetIgnoreRequests(int n) { ignoreLeft_ = n > 0 ? n : 0; }
    // Answers every accepted set with a value report of the stored value.
    void SetEcho(bool on) { echo_ = on; }
    // Called for every message received and every reply taken from the outbox.
    using LogFn
        = std::function<void(bool incoming, const SimBytes& bytes, const std::string& what)>;
    void SetLog(LogFn log) { log_ = std::move(log); }

    // --- traffic
    // Handles one complete incoming message received at `now` (milliseconds);
    // real-time bytes inside it are skipped. Replies go to the outbox, due at
    // now + latency.
    void Receive(const unsigned char* bytes, std::size_t length, std::uint32_t now);
    void Receive(const SimBytes& bytes, std::uint32_t now)
    {
        Receive(bytes.data(), bytes.size(), now);
    }
    // Removes and returns the replies due at `now`, oldest first.
    std::vector<SimBytes> TakeDue(std::uint32_t now);
    // Due time of the oldest reply not yet taken.
    std::optional<std::uint32_t> NextDue() const;
    int RequestsIgnored() const { return ignored_; }

    // --- state
    // The memory images sent on request: a dump message with no payload asks
    // for the image of its kind, one with a payload replaces it.
    SimDumps& Dumps() { return dumps_; }
    const SimDumps& Dumps() const { return dumps_; }
    // Stored integer value of a destination, option or mode key.
    std::optional<int> Value(long key) const;
    std::optional<double> GainOf(long key) const;
    // Stores a value; false with the device's error text when it refuses.
    bool SetValue(long key, int value, std::string& error);
    bool SetGain(long key, double dB, std::string& error);

    // The whole state as text, one "value KEY VALUE" or "gain KEY DB" line per
    // key after a "model NAME" line; Load reads the same form.
    std::string Dump() const;
    // Reads a dump. All or nothing: on a false return nothing has changed and
    // `error` tells which line was refused and why.
    bool Load(const std::string& text, std::string& error);
    // The model named by a dump's "model" line, -1 when it has none.
    static int ModelOfDump(const std::string& text);

private:
    void handleDevice(unsigned char id, unsigned char command, const std::string& text);
    void handleIdentity(unsigned char channel);
    void objectInfo(unsigned char id, const std::string& text);
    void valueRequest(unsigned char id, const std::string& text);
    void setValue(unsigned char id, const std::string& text);
    void setGain(unsigned char id, const std::string& text);
    void keypress(const std::string& payload);
    void dump(unsigned char id, unsigned char kind, const std::string& payload);
    bool takeRequest(const std::string& what);
    void reply(unsigned char id, unsigned char command, const std::string& text);
    void error(unsigned char id, const std::string& text);
    void queue(SimBytes bytes, std::string what);
    std::string valueReport(long key) const;
    void resetToDefaults();

    struct Pending {
        std::uint32_t due;
        SimBytes bytes;
        std::string what;
    };

    SimModel model_;
    std::map<long, int> values_;
    std::map<long, double> gains_;
    SimDumps dumps_;
    std::deque<Pending> outbox_;
    std::uint32_t latency_ = 0;
    std::uint32_t now_ = 0;
    int ignoreLeft_ = 0;
    int ignored_ = 0;
    bool echo_ = false;
    LogFn log_;
};

// Bytes as "F0 7D 70 ..." for logs and test messages.
std::string hexBytes(const SimBytes& bytes);
