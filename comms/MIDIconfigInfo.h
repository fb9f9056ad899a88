#pragma once
#include "CString.h"

// The persisted MIDI port choice, with fallbacks for ports that are gone.
class MIDIconfigInfo {
public:
    MIDIconfigInfo();
    virtual ~MIDIconfigInfo();
    MIDIconfigInfo(const MIDIconfigInfo&) = delete;
    MIDIconfigInfo& operator=(const MIDIconfigInfo&) = delete;

    // The saved input and output names, replaced by existing ports when the
    // saved ones are not there.
    void GetMIDIdevices(CString& input, CString& output);
    // Writes each name that differs from the saved one.
    void Flush();

    CString savedOutName;
    CString savedInName;
    CString outName;
    CString inName;
    int rxBufferSize = 8192;
};

// Name used for both directions when nothing has been chosen yet.
constexpr const char* kDefaultMidiPort = "USB Audio Device";
