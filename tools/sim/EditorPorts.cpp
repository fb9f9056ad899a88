#include "EditorPorts.h"

#include "ProfileStore.h"
#include "SimPortNames.h"

#include <QSettings>

#include <chrono>
#include <cstdio>
#include <thread>

int configureEditor(const std::string& iniPath, const std::string& portName, int waitSeconds)
{
    // The editor reads replies from the simulator's output and sends to its input.
    std::string in, out;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(waitSeconds);
    for (;;) {
        in = listedSimulatorPort(true, portName);
        out = listedSimulatorPort(false, portName);
        if ((!in.empty() && !out.empty()) || std::chrono::steady_clock::now() >= until)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (in.empty() || out.empty()) {
        std::fprintf(stderr, "q7300-sim: no ports named \"%s\" appeared\n", portName.c_str());
        return 1;
    }
    QSettings store(QString::fromLocal8Bit(iniPath.c_str()), QSettings::IniFormat);
    SetProfileStore(&store);
    const bool ok = WriteProfileString("MIDI", "In", in.c_str())
        && WriteProfileString("MIDI", "Out", out.c_str())
        && WriteProfileInt("Zorvanta Drivers", "CommName", 1)
        && WriteProfileInt("main", "local", 0);
    SetProfileStore(nullptr);
    store.sync();
    if (!ok || store.status() != QSettings::NoError) {
        std::fprintf(stderr, "q7300-sim: cannot write %s\n", iniPath.c_str());
        return 1;
    }
    std::printf("MIDI In=%s\nMIDI Out=%s\n", in.c_str(), out.c_str());
    return 0;
}
