#pragma once
// The editor's protocol object against the simulated device: the shared
// recording protocol object and reply window, and a wait for replies.
#include "ProtocolRecorder.h"
#include "SimTestSupport.h"

// Runs the event queue until the protocol object holds n dispatched replies
// (texts and device errors), or until `ms` have passed.
inline bool waitForReplies(RecordingProcessor& p, size_t n, int ms = 10000)
{
    return pumpUntil([&] { return p.events.size() >= n; }, ms);
}
