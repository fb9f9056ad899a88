#pragma once
#include "SimDevice.h"

#include <functional>
#include <memory>
#include <string>

class JackWatch;
class RtMidiIn;
class RtMidiOut;

// The simulator's two virtual MIDI ports, an input the editor sends to and an
// output it listens to, both carrying the same name.
class SimPorts {
public:
    using Receiver = std::function<void(SimBytes bytes)>;

    SimPorts();
    ~SimPorts();
    SimPorts(const SimPorts&) = delete;
    SimPorts& operator=(const SimPorts&) = delete;

    // Opens both ports on the interface named by `api` ("alsa", "jack", or
    // empty: ALSA where its sequencer exists, else JACK). Whole incoming
    // messages go to `receiver` on the MIDI library's thread.
    bool Open(
        const std::string& api, const std::string& name, Receiver receiver, std::string& error);
    bool Send(const SimBytes& bytes, std::string& error);
    void Close();
    // "ALSA" or "JACK" once open.
    const char* ApiName() const { return apiName_; }

private:
    static void callback(double, std::vector<unsigned char>* bytes, void* self);

    std::unique_ptr<RtMidiIn> in_;
    std::unique_ptr<RtMidiOut> out_;
    std::unique_ptr<JackWatch> watch_; // on JACK: the server's end, changes of the graph
    Receiver receiver_;
    const char* apiName_ = "";
};

// True when a JACK server answers (the one JACK_DEFAULT_SERVER names, if set).
bool jackServerRunning();
