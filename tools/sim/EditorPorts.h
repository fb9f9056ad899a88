#pragma once
#include <string>

// Waits up to `waitSeconds` for the simulator's ports to be listed as the
// editor lists them, then writes the editor's MIDI settings into the settings
// store the editor opens in this environment: the port to read replies from ("MIDI"/"In"), the port
// to send to ("MIDI"/"Out"), MIDI as the comm type, and demo mode off so that the editor asks the
// device at start. Returns the process exit code.
int configureEditor(const std::string& portName, int waitSeconds);
