#include "SimPortNames.h"

#include "CStringList.h"
#include "MidiPorts.h"

#include <regex>

bool isSimulatorPort(const std::string& listed, const std::string& portName)
{
    static const std::regex alsaNumbers(R"( \d+:\d+$)");
    std::string name = std::regex_replace(listed, alsaNumbers, "");
    const std::string tail = ":" + portName;
    return name.size() > tail.size()
        && name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
}

std::string listedSimulatorPort(bool input, const std::string& portName)
{
    CStringList names;
    if (input)
        MidiInDeviceNames(names);
    else
        MidiOutDeviceNames(names);
    for (POSITION pos = names.GetHeadPosition(); pos;) {
        const std::string name = static_cast<const char*>(names.GetNext(pos));
        if (isSimulatorPort(name, portName))
            return name;
    }
    return {};
}
