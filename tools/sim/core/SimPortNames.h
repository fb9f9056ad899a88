#pragma once
#include <string>

// True when `listed`, a port name as the MIDI library lists it, is a port
// called `portName`: "client:port" (JACK) or "client:port 128:0" (ALSA).
bool isSimulatorPort(const std::string& listed, const std::string& portName);

// The first input (or output) port the MIDI library lists under `portName`,
// as it lists it; empty when there is none (yet).
std::string listedSimulatorPort(bool input, const std::string& portName);
