#include "PumpClock.h"

#include <chrono>

namespace {

std::function<std::uint64_t()>& replacement()
{
    static std::function<std::uint64_t()> clock;
    return clock;
}

} // namespace

std::uint64_t pumpNow()
{
    if (const auto& clock = replacement())
        return clock();
    using namespace std::chrono;
    // One added so that a deadline computed from it is never the "not sent" 0.
    return static_cast<std::uint64_t>(
               duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count())
        + 1;
}

void setPumpClock(std::function<std::uint64_t()> clock)
{
    replacement() = std::move(clock);
}
