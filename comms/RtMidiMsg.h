#pragma once
#include "MidiMsg.h"

#include <cstddef>
#include <vector>

// A received chunk that owns a copy of the bytes the MIDI library delivered.
class RtMidiMsg : public MidiMsg {
public:
    RtMidiMsg(const unsigned char* bytes, std::size_t length);
    explicit RtMidiMsg(std::vector<unsigned char> bytes);
    RtMidiMsg(const RtMidiMsg&) = delete;
    RtMidiMsg& operator=(const RtMidiMsg&) = delete;

    const unsigned char* Data() const override { return bytes_.data(); }
    int DataLen() const override { return static_cast<int>(bytes_.size()); }

private:
    std::vector<unsigned char> bytes_;
};
