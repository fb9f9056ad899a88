#pragma once
#include <string>

// The command line of q7300-sim.
struct SimOptions {
    int model = -1; // -1: the state file's model, else Q7300FW
    std::string portName = "Q7300 Simulator";
    std::string api; // "alsa", "jack" or empty for the default
    unsigned latency = 0; // milliseconds
    int ignore = 0;
    bool echo = false;
    bool log = false;
    std::string stateFile;
    bool dump = false;
    bool configureEditor = false; // point the editor's MIDI settings at the ports and exit
    int waitSeconds = 10;
    bool help = false;
    bool version = false;
};

// Reads the arguments; false with a message for the user when they are wrong.
bool parseSimOptions(int argc, char** argv, SimOptions& options, std::string& error);
const char* simUsage();
