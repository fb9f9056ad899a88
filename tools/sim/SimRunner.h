#pragma once
#include "SimOptions.h"

// Runs the simulated device on its MIDI ports until SIGINT or SIGTERM;
// returns the process exit code.
int runSimulator(const SimOptions& options);

// Reads a whole file; false when it cannot be read.
bool readTextFile(const std::string& path, std::string& text);
// Replaces a file through a temporary one beside it, so that a failure leaves
// the old file as it was.
bool writeTextFileAtomically(const std::string& path, const std::string& text, std::string& error);
