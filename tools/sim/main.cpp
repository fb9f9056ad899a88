// q7300-sim: a stand-in for the Q7300 device on virtual MIDI ports, so that
// the routing editor can be tried and tested without the hardware.
#include "EditorPorts.h"
#include "SimOptions.h"
#include "SimRunner.h"

#include <cstdio>

int main(int argc, char** argv)
{
    SimOptions options;
    std::string error;
    if (!parseSimOptions(argc, argv, options, error)) {
        std::fprintf(
            stderr, "q7300-sim: %s\nTry 'q7300-sim --help' for more information.\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(simUsage(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("q7300-sim %s\n", SIM_VERSION);
        return 0;
    }
    if (options.configureEditor)
        return configureEditor(options.portName, options.waitSeconds);
    return runSimulator(options);
}
