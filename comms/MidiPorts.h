#pragma once
#include "CStringList.h"

#include <memory>
#include <string>

class RtMidiIn;
class RtMidiOut;

// Names of the current MIDI input and output ports, refilled by each lookup.
extern CStringList midiInPortNames;
extern CStringList midiOutPortNames;

// Appends the name of every output (input) port the MIDI library reports, in
// its order, and returns their count; 0 after a library error.
int MidiOutDeviceNames(CStringList& list);
int MidiInDeviceNames(CStringList& list);

// Refills the port list of that direction and returns the index of the first
// name equal to `name` ignoring case, or -1.
int GetInputNum(const char* name);
int GetOutputNum(const char* name);

// Why the last attempt to create a library object failed.
struct MidiLibraryError {
    int type = 0; // the library's error type; 0 = none
    std::string message;
};

// Library objects of the first compiled MIDI interface that initialises here
// (a machine without an ALSA sequencer throws for ALSA, and JACK may still
// work). Null when none does; `error` then tells why.
std::unique_ptr<RtMidiIn> makeMidiIn(const char* clientName, MidiLibraryError* error = nullptr);
std::unique_ptr<RtMidiOut> makeMidiOut(const char* clientName, MidiLibraryError* error = nullptr);

// Whether ports of both names (ignoring case) are listed now. Asks the MIDI
// service only when one runs, so that it prints nothing while there is none.
bool MidiPortsPresent(const char* inName, const char* outName);
