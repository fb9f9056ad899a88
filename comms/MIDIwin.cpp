#include "MIDIwin.h"

#include "MIDIconfigInfo.h"
#include "MidiPorts.h"
#include "ProfileStore.h"
#include "RtMidiMsg.h"

#include <rtmidi/RtMidi.h>

#include <cstdio>
#include <vector>

namespace {

// Index of the first port of the library object whose name equals `name`
// ignoring case, or -1. Looked up on the object that opens the port, so the
// index cannot refer to another client's listing.
int findPort(RtMidi& midi, const CString& name)
{
    const unsigned count = midi.getPortCount();
    for (unsigned i = 0; i < count; ++i)
        if (CString(midi.getPortName(i).c_str()).CompareNoCase(name) == 0)
            return static_cast<int>(i);
    return -1;
}

// Raises the library's error for a port index it does not have: its JACK
// interface reads past its port list instead of reporting one.
void checkPort(RtMidi& midi, int port, const CString& name)
{
    const unsigned count = midi.getPortCount();
    if (count == 0)
        throw RtMidiError("MIDIwin::Open: no MIDI ports available", RtMidiError::NO_DEVICES_FOUND);
    if (port < 0 || static_cast<unsigned>(port) >= count)
        throw RtMidiError(
            std::string("MIDIwin::Open: no MIDI port named ") + static_cast<const char*>(name),
            RtMidiError::INVALID_PARAMETER);
}

} // namespace

void mycallback(double, std::vector<unsigned char>* bytes, void* transport)
{
    if (!bytes || bytes->empty() || !transport)
        return;
    static_cast<MIDIbase*>(transport)->MessageReceived(new RtMidiMsg(bytes->data(), bytes->size()));
}

MIDIwin::MIDIwin()
{
    // The library objects exist only while the link is open (made by Open,
    // released by Close or a failed Open): a JACK client kept past its
    // server's end crashes the JACK library when it is closed.
    rxBufferSize_ = GetProfileInt("MIDI", "SizeInBuffers", 8192);
}

MIDIwin::~MIDIwin()
{
    Close();
    // Deleting the input stops the library's thread before this object goes.
    in_.reset();
    out_.reset();
}

bool MIDIwin::createLibraryObjects()
{
    if (in_ && out_)
        return true;
    MidiLibraryError err;
    if (!in_)
        in_ = makeMidiIn("RtMidi Input Client", &err);
    if (in_ && !out_)
        out_ = makeMidiOut("RtMidi Output Client", &err);
    if (in_ && out_) {
        libraryErrorType_ = 0;
        return true;
    }
    libraryErrorType_ = err.type;
    errorText_ = err.message.c_str();
    std::fprintf(stderr, "%s\n", err.message.c_str());
    return false;
}

int MIDIwin::fail(int type, const std::string& message)
{
    errorText_ = message.c_str();
    return type + 1;
}

int MIDIwin::Open(signed char force)
{
    // Opening a port twice would connect it twice on some interfaces, and every
    // message would then arrive twice: an open link keeps its connections. The
    // port choice is not looked up again either, since every lookup opens two
    // temporary library clients and this runs before every message sent.
    if (open_ && serverGone())
        forgetDeadLink();
    if (open_)
        return 0;
    in_.reset();
    out_.reset();
    MIDIconfigInfo info;
    inName_ = info.inName;
    outName_ = info.outName;
    rxBufferSize_ = info.rxBufferSize;
    if (!createLibraryObjects()) {
        in_.reset();
        out_.reset();
        return libraryErrorType_ + 1;
    }
    try {
        inPort_ = findPort(*in_, inName_);
        if (force && inPort_ < 0)
            inPort_ = 0;
        if (!inOpen_) {
            checkPort(*in_, inPort_, inName_);
            in_->openPort(static_cast<unsigned>(inPort_), "RtMidi Input");
            inOpen_ = true;
            in_->setCallback(&mycallback, static_cast<MIDIbase*>(this));
            in_->ignoreTypes(false, true, true);
        }
        outPort_ = findPort(*out_, outName_);
        if (force && outPort_ < 0)
            outPort_ = 0;
        checkPort(*out_, outPort_, outName_);
        out_->openPort(static_cast<unsigned>(outPort_), "RtMidi Output");
        outOpen_ = true;
    } catch (const RtMidiError& e) {
        // Half an open link is no link: undo the input so the next try starts clean.
        closePorts();
        in_.reset();
        out_.reset();
        return fail(e.getType(), e.getMessage());
    }
    open_ = true;
    if (in_->getCurrentApi() == RtMidi::UNIX_JACK) {
        try {
            inPortFull_ = in_->getPortName(static_cast<unsigned>(inPort_));
            outPortFull_ = out_->getPortName(static_cast<unsigned>(outPort_));
            watch_ = JackWatch::start([this](JackWatch::Event e) { watchEvent(e); });
            if (watch_) {
                watch_->ensureConnected(
                    inPortFull_.c_str(), "^RtMidi Input Client(-[0-9]+)?:RtMidi Input$", true);
                watch_->ensureConnected(
                    outPortFull_.c_str(), "^RtMidi Output Client(-[0-9]+)?:RtMidi Output$", false);
            }
        } catch (const RtMidiError& e) {
            e.printMessage(); // the link works, unwatched
        }
    }
    return 0;
}

void MIDIwin::forgetDeadLink()
{
    // The library objects belong to a server that has gone: their destructors
    // would unregister ports and close clients through it, so they are
    // deliberately leaked (a few kilobytes per lost server).
    (void)in_.release();
    (void)out_.release();
    inOpen_ = outOpen_ = open_ = false;
    watch_.reset();
    errorText_ = "MIDIwin: the JACK server has stopped";
}

void MIDIwin::watchEvent(JackWatch::Event event)
{
    if (!open_)
        return;
    if (event == JackWatch::ServerGone) {
        forgetDeadLink();
        NotifyLinkLost(ServiceStopped);
    } else if (!inPortFull_.empty()
        && (!watch_->hasPort(inPortFull_.c_str()) || !watch_->hasPort(outPortFull_.c_str()))) {
        Close();
        errorText_ = "MIDIwin: the device's MIDI ports have gone";
        NotifyLinkLost(PortsGone);
    }
}

void MIDIwin::closePorts()
{
    // Port closes on JACK go one at a time, each once the graph is still (see
    // JackWatch::runInTurn); the watch itself closes after them. No passing
    // watch is opened where there is none: opening a JACK client makes libjack
    // free the clients of a server that has gone, which would then be closed.
    JackWatch::closeInTurn(
        watch_.get(), inOpen_ ? in_.get() : nullptr, outOpen_ ? out_.get() : nullptr);
    inOpen_ = outOpen_ = false;
}

int MIDIwin::Close()
{
    if (serverGone())
        forgetDeadLink();
    closePorts();
    watch_.reset();
    open_ = false;
    in_.reset();
    out_.reset();
    return 0;
}

int MIDIwin::sendBytes(const std::vector<unsigned char>& bytes)
{
    // A client of a server that has gone is not called again (its queue would
    // never drain).
    if (!out_ || !outOpen_ || serverGone())
        return fail(RtMidiError::INVALID_USE, "MIDIwin: the MIDI link is not open");
    try {
        if (bytes.size() > kJackMessageLimit && bytes.front() == 0xF0
            && out_->getCurrentApi() == RtMidi::UNIX_JACK) {
            // JACK drops longer messages silently; the receiving side joins
            // the consecutive pieces of one system-exclusive message again.
            for (std::size_t at = 0; at < bytes.size(); at += kJackMessageLimit) {
                const std::size_t n = std::min(kJackMessageLimit, bytes.size() - at);
                out_->sendMessage(bytes.data() + at, n);
            }
        } else {
            out_->sendMessage(&bytes);
        }
    } catch (const RtMidiError& e) {
        return fail(e.getType(), e.getMessage());
    }
    return 0;
}

int MIDIwin::Send(int count, sendInfo* pieces)
{
    std::vector<unsigned char> bytes;
    std::size_t total = 0;
    for (int i = 0; i < count; ++i)
        total += pieces[i].length > 0 ? static_cast<std::size_t>(pieces[i].length) : 0;
    if (total == 0)
        return 0;
    bytes.reserve(total);
    for (int i = 0; i < count; ++i)
        if (pieces[i].data && pieces[i].length > 0)
            bytes.insert(bytes.end(), pieces[i].data, pieces[i].data + pieces[i].length);
    return sendBytes(bytes);
}

int MIDIwin::ShortMessage(unsigned char status, unsigned char data1, unsigned char data2)
{
    std::vector<unsigned char> bytes { status, data1 };
    // Program change and channel pressure carry one data byte.
    if (status < 0xC0 || status > 0xDF)
        bytes.push_back(data2);
    return sendBytes(bytes);
}

void MIDIwin::ExplainErr(int code, CString& text)
{
    if (code && !errorText_.IsEmpty())
        text = errorText_;
    else
        MIDIbase::ExplainErr(code, text);
}
