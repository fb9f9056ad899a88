#pragma once
#include <functional>
#include <string>

// Points HOME and the XDG folders at a fresh temporary folder for the whole
// test run, so no test reads or writes a real user's settings or data.
class TestEnv {
public:
    static void setUp();
    // The temporary root created by setUp.
    static const std::string& root();
    // A new empty folder below root, unique per call.
    static std::string freshDir(const std::string& stem);
};

// Runs the event loop until done() holds or ms milliseconds have passed (a
// bound against hanging, not a speed check); gives done()'s last answer.
bool pumpUntil(const std::function<bool()>& done, int ms = 10000);
