#include "SimPorts.h"

#include "JackWatch.h"

#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <unistd.h>
#include <vector>

#ifdef SIM_HAVE_JACK
#include <jack/jack.h>
#endif

bool jackServerRunning()
{
#ifdef SIM_HAVE_JACK
    jack_status_t status;
    jack_client_t* probe = jack_client_open("q7300-sim-probe", JackNoStartServer, &status);
    if (!probe)
        return false;
    jack_client_close(probe);
    return true;
#else
    return true; // cannot tell: let opening the port report it
#endif
}

SimPorts::SimPorts() = default;

SimPorts::~SimPorts()
{
    Close();
}

void SimPorts::callback(double, std::vector<unsigned char>* bytes, void* self)
{
    auto* ports = static_cast<SimPorts*>(self);
    if (bytes && !bytes->empty() && ports->receiver_)
        ports->receiver_(*bytes);
}

bool SimPorts::Open(
    const std::string& api, const std::string& name, Receiver receiver, std::string& error)
{
    receiver_ = std::move(receiver);
    std::vector<RtMidi::Api> tries;
    // Where the ALSA sequencer device is missing, the library only fails
    // noisily: the default skips ALSA there.
    if (api == "alsa" || (api.empty() && access("/dev/snd/seq", F_OK) == 0))
        tries.push_back(RtMidi::LINUX_ALSA);
    if (api.empty() || api == "jack")
        tries.push_back(RtMidi::UNIX_JACK);
    error.clear();
    for (RtMidi::Api a : tries) {
        std::vector<RtMidi::Api> compiled;
        RtMidi::getCompiledApi(compiled);
        if (std::find(compiled.begin(), compiled.end(), a) == compiled.end()) {
            error = std::string("the MIDI library has no ") + RtMidi::getApiDisplayName(a);
            continue;
        }
        // Without a server, the library's JACK client would only warn and then
        // fail on the port: ask the server first.
        if (a == RtMidi::UNIX_JACK && !jackServerRunning()) {
            error = "no JACK server is running";
            continue;
        }
        try {
            auto in = std::make_unique<RtMidiIn>(a, name);
            auto out = std::make_unique<RtMidiOut>(a, name);
            in->openVirtualPort(name);
            in->ignoreTypes(false, true, true);
            in->setCallback(&SimPorts::callback, this);
            out->openVirtualPort(name);
            in_ = std::move(in);
            out_ = std::move(out);
            if (a == RtMidi::UNIX_JACK)
                watch_ = JackWatch::start({});
            apiName_ = a == RtMidi::LINUX_ALSA ? "ALSA" : "JACK";
            error.clear();
            return true;
        } catch (const RtMidiError& e) {
            error = RtMidi::getApiDisplayName(a) + ": " + e.getMessage();
        }
    }
    return false;
}

bool SimPorts::Send(const SimBytes& bytes, std::string& error)
{
    if (!out_) {
        error = "the output port is not open";
        return false;
    }
    try {
        out_->sendMessage(bytes.data(), bytes.size());
    } catch (const RtMidiError& e) {
        error = e.getMessage();
        return false;
    }
    return true;
}

void SimPorts::Close()
{
    if (watch_ && watch_->serverGone()) {
        // The library objects would unregister their ports and close their
        // clients through a server that has gone, which crashes: they are
        // left behind.
        (void)in_.release();
        (void)out_.release();
        watch_.reset();
        return;
    }
    // On JACK a port must not close while its client may still be told of
    // an earlier change of the graph (an editor's link closing, say).
    JackWatch::closeInTurn(watch_.get(), in_.get(), out_.get());
    watch_.reset();
    in_.reset();
    out_.reset();
}
