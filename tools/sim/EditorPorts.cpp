#include "EditorPorts.h"
#include "CString.h"

#include "ProfileStore.h"
#include "SettingsStore.h"
#include "SimPortNames.h"

#include <QSettings>

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

int configureEditor(const std::string& portName, int waitSeconds)
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
    const std::unique_ptr<QSettings> store = openSettingsStore(textToQString(EDITOR_PROGRAM));
    SetProfileStore(store.get());
    const bool ok = WriteProfileString("MIDI", "In", in.c_str())
        && WriteProfileString("MIDI", "Out", out.c_str())
        && WriteProfileInt("Zorvanta Drivers", "CommName", 1)
        && WriteProfileInt("main", "local", 0);
    SetProfileStore(nullptr);
    if (!ok || !syncSettingsStore(*store))
        return 1;
    std::printf("settings=%s\nMIDI In=%s\nMIDI Out=%s\n",
        qStringToText(store->fileName()).constData(), in.c_str(), out.c_str());
    return 0;
}
