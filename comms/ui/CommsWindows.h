#pragma once
// Installs the comms windows into the protocol layer: the "Comms Preferences"
// sheet, the remote error window and the file dialog of the file transport.
// The application calls it once at start-up.
void InstallCommsWindows();
