// Editor tests against the simulated device in the same process: the real
// editor window, its protocol object with the loopback transport, and one
// controllable clock for the pump, the device and the time of day.
#pragma once

#include "EditorFixture.h"
#include "LoopbackMidi.h"
#include "SimDevice.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace synctest {

// One message the device received.
struct Heard {
    int command;
    std::string text;
    std::uint64_t at; // test clock, milliseconds
};

class SyncTest : public editortest::EditorTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the editor showing model `shown` (settings "machine"), on line
    // unless localMode, attached to a simulated device of model `deviceModel`.
    // The pump's timer is stopped: tick() runs it.
    void openWithDevice(int shown, int deviceModel, int localMode = 0);
    // Reuses the current device for a new editor window.
    void reopen(int shown, int localMode = 0);

    // Advances the clock by one pump period, delivers due replies, runs the
    // posted events and the pump once.
    void tick(int n = 1);
    // Ticks until nothing waits in either queue or on the device; the number
    // of ticks, or -1 when that did not happen within maxTicks.
    int drain(int maxTicks = 5000);

    // Requests the device heard since the last clearHeard(), as "command text".
    std::vector<std::string> heardTexts() const;
    void clearHeard() { heard.clear(); }

    // Gives every destination, option and gain of the device a random value.
    void randomizeDevice(std::mt19937& rng);
    // Where the page and the device disagree, one readable line each.
    std::vector<std::string> differences() const;

    std::string title() const;

    std::uint64_t clockMs = 100000;
    std::shared_ptr<SimDevice> device;
    LoopbackMidi* loop = nullptr;
    std::vector<Heard> heard;
};

} // namespace synctest
