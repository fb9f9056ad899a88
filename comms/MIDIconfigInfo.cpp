#include "MIDIconfigInfo.h"

#include "MidiPorts.h"
#include "ProfileStore.h"

MIDIconfigInfo::MIDIconfigInfo()
{
    GetMIDIdevices(inName, outName);
    savedOutName = outName;
    savedInName = inName;
    rxBufferSize = GetProfileInt("MIDI", "SizeInBuffers", 8192);
}

MIDIconfigInfo::~MIDIconfigInfo()
{
    Flush();
}

void MIDIconfigInfo::GetMIDIdevices(CString& input, CString& output)
{
    input = GetProfileString("MIDI", "In", kDefaultMidiPort);
    if (GetInputNum(input) < 0) {
        // The saved input is gone: prefer a port that works in both directions.
        CStringList inputs;
        inputs.AddTail(midiInPortNames);
        CStringList outputs;
        MidiOutDeviceNames(outputs);
        for (POSITION pos = inputs.GetHeadPosition(); pos;) {
            const CString& name = inputs.GetNext(pos);
            bool both = false;
            for (POSITION o = outputs.GetHeadPosition(); o && !both;)
                both = outputs.GetNext(o).CompareNoCase(name) == 0;
            if (both) {
                input = name;
                break;
            }
        }
        output = input;
        return;
    }
    output = GetProfileString("MIDI", "Out", kDefaultMidiPort);
    if (GetOutputNum(output) < 0)
        output = input;
}

void MIDIconfigInfo::Flush()
{
    if (inName != savedInName) {
        WriteProfileString("MIDI", "In", inName);
        savedInName = inName;
    }
    if (outName != savedOutName) {
        WriteProfileString("MIDI", "Out", outName);
        savedOutName = outName;
    }
}
