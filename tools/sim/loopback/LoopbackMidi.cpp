#include "LoopbackMidi.h"

#include "RtMidiMsg.h"

#include <QTimer>
#include <chrono>

namespace {

std::uint32_t steadyMilliseconds()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

LoopbackMidi::LoopbackMidi(std::shared_ptr<SimDevice> device, Clock clock)
    : device_(std::move(device))
    , clock_(std::move(clock))
    , ownClock_(!clock_)
{
    if (ownClock_) {
        clock_ = steadyMilliseconds;
        timer_ = std::make_unique<QTimer>();
        timer_->setSingleShot(true);
        QObject::connect(timer_.get(), &QTimer::timeout, [this] {
            DeliverDue();
            scheduleNext();
        });
    }
}

LoopbackMidi::~LoopbackMidi() = default;

int LoopbackMidi::Open(signed char)
{
    if (openError_)
        return openError_;
    open_ = true;
    return 0;
}

int LoopbackMidi::Close()
{
    open_ = false;
    return 0;
}

int LoopbackMidi::Send(int count, sendInfo* pieces)
{
    SimBytes bytes;
    for (int i = 0; i < count; ++i)
        if (pieces[i].data && pieces[i].length > 0)
            bytes.insert(bytes.end(), pieces[i].data, pieces[i].data + pieces[i].length);
    if (bytes.empty())
        return 0;
    ++sent_;
    device_->Receive(bytes, clock_());
    DeliverDue();
    scheduleNext();
    return 0;
}

int LoopbackMidi::ShortMessage(unsigned char status, unsigned char data1, unsigned char data2)
{
    // Program change and channel pressure carry one data byte.
    SimBytes bytes { status, data1 };
    if (status < 0xC0 || status > 0xDF)
        bytes.push_back(data2);
    ++sent_;
    device_->Receive(bytes, clock_());
    return 0;
}

int LoopbackMidi::DeliverDue()
{
    int posted = 0;
    for (SimBytes& reply : device_->TakeDue(clock_())) {
        // A closed link receives nothing, as with real ports.
        if (!open_)
            continue;
        MessageReceived(new RtMidiMsg(std::move(reply)));
        ++posted;
    }
    return posted;
}

void LoopbackMidi::scheduleNext()
{
    if (!timer_)
        return;
    const auto due = device_->NextDue();
    if (!due) {
        timer_->stop();
        return;
    }
    const auto wait = static_cast<std::int32_t>(*due - clock_());
    timer_->start(wait > 0 ? wait : 0);
}
