#include "SimOptions.h"

#include "SimModel.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

bool readCount(const std::string& text, long limit, long& out)
{
    if (text.empty() || text[0] == '-')
        return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno || *end || v < 0 || v > limit)
        return false;
    out = v;
    return true;
}

} // namespace

const char* simUsage()
{
    return "Usage: q7300-sim [OPTION]...\n"
           "Run a simulated Q7300 device on virtual MIDI ports, so that q7300-routing can be\n"
           "tried without the hardware.\n"
           "\n"
           "      --model NAME          Q7300, Q7300A or Q7300FW (default: the state file's,\n"
           "                            else Q7300FW)\n"
           "      --port-name NAME      name of the MIDI ports (default \"Q7300 Simulator\")\n"
           "      --api alsa|jack       MIDI interface (default: ALSA where it exists, else JACK)\n"
           "      --latency MS          delay every reply by MS milliseconds\n"
           "      --ignore N            leave the first N requests (object information, value\n"
           "                            and identity requests) unanswered; sets are always taken\n"
           "      --echo                answer every accepted set with a value report\n"
           "      --log                 print every message received and sent, with a time stamp\n"
           "      --state FILE          load the device state from FILE at start, save it at exit\n"
           "      --dump                print the device state and exit\n"
           "      --configure-editor    point the MIDI port settings of the editor (in the\n"
           "                            settings store it opens in this environment) at the ports\n"
           "                            of a running simulator of this port name, then exit\n"
           "      --wait SECONDS        how long --configure-editor waits for the ports\n"
           "                            (default 10)\n"
           "  -h, --help                display this help and exit\n"
           "      --version             output version information and exit\n"
           "\n"
           "SIGUSR1 prints the device state; SIGINT and SIGTERM stop it (saving the state).\n"
           "Exit status: 0 on success, 2 for a command line that cannot be used, 1 for other\n"
           "failures.\n";
}

bool parseSimOptions(int argc, char** argv, SimOptions& o, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        bool hasValue = false;
        const auto eq = arg.find('=');
        if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            hasValue = true;
        }
        auto need = [&]() -> bool {
            if (hasValue)
                return true;
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            value = argv[++i];
            return true;
        };
        long n = 0;
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--echo") {
            o.echo = true;
        } else if (arg == "--log") {
            o.log = true;
        } else if (arg == "--dump") {
            o.dump = true;
        } else if (arg == "--model") {
            if (!need())
                return false;
            o.model = SimModel::FindModel(value.c_str());
            if (o.model < 0) {
                error = "unknown model " + value + " (Q7300, Q7300A or Q7300FW)";
                return false;
            }
        } else if (arg == "--port-name") {
            if (!need())
                return false;
            if (value.empty()) {
                error = "the port name is empty";
                return false;
            }
            o.portName = value;
        } else if (arg == "--api") {
            if (!need())
                return false;
            if (value != "alsa" && value != "jack") {
                error = "--api takes alsa or jack";
                return false;
            }
            o.api = value;
        } else if (arg == "--latency") {
            if (!need() || !readCount(value, 60000, n)) {
                error = "--latency takes milliseconds, 0 to 60000";
                return false;
            }
            o.latency = static_cast<unsigned>(n);
        } else if (arg == "--ignore") {
            if (!need() || !readCount(value, INT_MAX, n)) {
                error = "--ignore takes a count";
                return false;
            }
            o.ignore = static_cast<int>(n);
        } else if (arg == "--state") {
            if (!need() || value.empty()) {
                error = "--state needs a file name";
                return false;
            }
            o.stateFile = value;
        } else if (arg == "--configure-editor" && !hasValue) {
            o.configureEditor = true;
        } else if (arg == "--wait") {
            if (!need() || !readCount(value, 3600, n)) {
                error = "--wait takes seconds";
                return false;
            }
            o.waitSeconds = static_cast<int>(n);
        } else {
            error = "unknown argument " + std::string(argv[i]);
            return false;
        }
    }
    return true;
}
