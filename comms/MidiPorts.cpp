#include "MidiPorts.h"

#include "JackWatch.h"

#include <rtmidi/RtMidi.h>

#include <atomic>
#include <cstring>
#include <vector>

#include <unistd.h>

CStringList midiInPortNames;
CStringList midiOutPortNames;

namespace {

// The interface that worked last time; tried first so that a failing one does
// not print its complaint on every lookup.
std::atomic<int> workingApi { RtMidi::UNSPECIFIED };

template <class T> std::unique_ptr<T> makeMidi(const char* clientName, MidiLibraryError* error)
{
    std::vector<RtMidi::Api> apis;
    const int known = workingApi.load();
    if (known != RtMidi::UNSPECIFIED)
        apis.push_back(static_cast<RtMidi::Api>(known));
    std::vector<RtMidi::Api> compiled;
    RtMidi::getCompiledApi(compiled);
    for (RtMidi::Api api : compiled)
        if (api != known)
            apis.push_back(api);
    MidiLibraryError last { RtMidiError::UNSPECIFIED,
        "no MIDI interface compiled into the library" };
    for (RtMidi::Api api : apis) {
        try {
            auto object = std::make_unique<T>(api, std::string(clientName));
            workingApi.store(api);
            if (error)
                *error = {};
            return object;
        } catch (const RtMidiError& e) {
            last = { static_cast<int>(e.getType()), e.getMessage() };
        }
    }
    if (error)
        *error = last;
    return nullptr;
}

template <class T> int deviceNames(CStringList& list, const char* clientName)
{
    MidiLibraryError err;
    auto midi = makeMidi<T>(clientName, &err);
    if (!midi) {
        RtMidiError(err.message, static_cast<RtMidiError::Type>(err.type)).printMessage();
        return 0;
    }
    try {
        const unsigned count = midi->getPortCount();
        for (unsigned i = 0; i < count; ++i)
            list.AddTail(CString(midi->getPortName(i).c_str()));
        return static_cast<int>(count);
    } catch (const RtMidiError& e) {
        e.printMessage();
        return 0;
    }
}

int findName(CStringList& list, const char* name)
{
    int index = 0;
    for (POSITION pos = list.GetHeadPosition(); pos; ++index)
        if (list.GetNext(pos).CompareNoCase(name ? name : "") == 0)
            return index;
    return -1;
}

} // namespace

std::unique_ptr<RtMidiIn> makeMidiIn(const char* clientName, MidiLibraryError* error)
{
    return makeMidi<RtMidiIn>(clientName, error);
}

std::unique_ptr<RtMidiOut> makeMidiOut(const char* clientName, MidiLibraryError* error)
{
    return makeMidi<RtMidiOut>(clientName, error);
}

int MidiOutDeviceNames(CStringList& list)
{
    return deviceNames<RtMidiOut>(list, "RtMidi Output Client");
}

int MidiInDeviceNames(CStringList& list)
{
    return deviceNames<RtMidiIn>(list, "RtMidi Input Client");
}

int GetInputNum(const char* name)
{
    midiInPortNames.RemoveAll();
    MidiInDeviceNames(midiInPortNames);
    return findName(midiInPortNames, name);
}

int GetOutputNum(const char* name)
{
    midiOutPortNames.RemoveAll();
    MidiOutDeviceNames(midiOutPortNames);
    return findName(midiOutPortNames, name);
}

bool MidiPortsPresent(const char* inName, const char* outName)
{
    if (::access("/dev/snd/seq", F_OK) != 0 && !JackWatch::serverAnswers())
        return false;
    return GetInputNum(inName) >= 0 && GetOutputNum(outName) >= 0;
}
