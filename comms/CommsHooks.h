#pragma once
#include "CString.h"

#include <functional>
#include <memory>

class QObject;
class ZorvantaMidiProcessor;

// A progress indicator shown while long messages arrive.
class CommsClock {
public:
    virtual ~CommsClock() = default;
    virtual void Click() = 0;
};

// The windows the protocol layer shows live in libraries with widgets; they
// install themselves here (the comms windows' installer does it for all).
// Without them the protocol layer still works: the sheet is not shown,
// device error texts go to standard error, files are not asked for.
struct CommsHooks {
    // Runs the "Comms Preferences" sheet modally; returns its dialog result.
    std::function<int(ZorvantaMidiProcessor& processor)> runConfigSheet;
    // Adds a text to the remote error window.
    std::function<void(const char* text)> addErrorText;
    // Shows (true) or takes back (false) the busy cursor while a message goes
    // out; calls nest.
    std::function<void(bool busy)> showBusy;
    // Makes the progress clock, a child of the reply window.
    std::function<std::unique_ptr<CommsClock>(QObject* parent)> makeClock;
    // Asks for the name of a file to write; empty when the user cancels.
    std::function<CString(const char* proposedName, const char* filter)> askSaveFileName;
    // Asks for a file to open (open true) or to write, proposing a name and
    // appending the default extension to names typed without one; empty when
    // the user cancels. Without it, names to write are asked through
    // askSaveFileName and files to open cannot be chosen.
    std::function<CString(
        bool open, const char* defaultExtension, const char* proposedName, const char* filter)>
        askFileName;
};

CommsHooks& commsHooks();

// Adds a device error report to the remote error window.
void AddErrorText(const char* text);
