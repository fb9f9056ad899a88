// The clock the editor's 30 ms pump measures reply times with. It counts
// milliseconds forward from an arbitrary start and never restarts (the tick
// count of the framework starts again at midnight, which would make a request
// sent just before midnight wait a whole day).
#pragma once

#include <cstdint>
#include <functional>

// Milliseconds on the pump's clock; never 0.
std::uint64_t pumpNow();

// Replaces the pump's clock (tests); an empty function restores the steady clock.
void setPumpClock(std::function<std::uint64_t()> clock);
