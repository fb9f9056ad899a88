#pragma once
// Small shared types of the device communications layer.

// Kind of transport the protocol object uses.
enum comm_type : int {
    commNone = 0, // NullMidiDev
    commMidi = 1, // MIDIwin
    commFile = 3, // MIDIfile
};

// One piece of an outgoing message; a transport sends pieces back to back as one message.
struct sendInfo {
    const unsigned char* data;
    int length;
};

// One (bank, program) pair of a program-number list report.
struct prognums_buffer {
    signed char bank;
    signed char program;
};

// Result codes shared by the protocol layer (transports add library error type + 1).
enum commsResult : int {
    commsOk = 0,
    commsNoMemory = 7, // a work buffer could not be had
};

// Application message posted for every received chunk of MIDI data.
constexpr unsigned kMidiInputMessage = 1024;

// Bound of one incoming system-exclusive message; longer ones are dropped.
constexpr long kMaxAssembly = 64L * 1024 * 1024;
