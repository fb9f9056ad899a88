#pragma once
// A received chunk of MIDI bytes, owned by whoever holds it.
class MidiMsg {
public:
    virtual ~MidiMsg() = default;
    virtual const unsigned char* Data() const = 0;
    virtual int DataLen() const = 0;
};
