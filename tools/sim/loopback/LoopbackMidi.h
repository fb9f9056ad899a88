#pragma once
#include "MIDIbase.h"
#include "SimDevice.h"

#include <cstdint>
#include <functional>
#include <memory>

class QTimer;

// A transport for tests that connects the protocol object to a simulated
// device in the same process. Every reply reaches the reply window the way a
// real one does: as a received-message object posted with msgUser (1024), so
// it is handled only when the window's thread runs its event queue.
class LoopbackMidi : public MIDIbase {
public:
    using Clock = std::function<std::uint32_t()>;

    // Without a clock, the process's steady clock in milliseconds is used, and
    // replies that the device delays are posted by a timer when due. With a
    // clock of the test's own, call DeliverDue after moving it.
    explicit LoopbackMidi(std::shared_ptr<SimDevice> device, Clock clock = {});
    ~LoopbackMidi() override;

    int IsOpen() override { return open_ ? 1 : 0; }
    int Open(signed char force) override;
    int Close() override;
    int Send(int count, sendInfo* pieces) override;
    int ShortMessage(unsigned char status, unsigned char data1, unsigned char data2) override;

    // Posts every reply that is due now; returns how many were posted.
    int DeliverDue();

    SimDevice& Device() { return *device_; }
    // Messages handed to the device so far.
    // Makes the next Open calls fail with this code (0 lets them succeed again).
    void FailOpen(int code) { openError_ = code; }

private:
    void scheduleNext();

    std::shared_ptr<SimDevice> device_;
    Clock clock_;
    bool ownClock_;
    std::unique_ptr<QTimer> timer_;
    bool open_ = false;
    int openError_ = 0;
    int sent_ = 0;
};
