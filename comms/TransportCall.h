#pragma once
#include "MIDIbase.h"

#include <memory>
#include <vector>

// Counts calls into the transport on this thread's stack, so that a transport
// replaced while one of its own operations runs (a NullMidiDev opening the
// configuration) is deleted only once that operation has returned.
class TransportCall {
public:
    explicit TransportCall(int& depth, std::vector<std::unique_ptr<MIDIbase>>& retired)
        : depth_(depth)
        , retired_(retired)
    {
        ++depth_;
    }
    ~TransportCall()
    {
        if (--depth_ == 0)
            retired_.clear();
    }
    TransportCall(const TransportCall&) = delete;
    TransportCall& operator=(const TransportCall&) = delete;

private:
    int& depth_;
    std::vector<std::unique_ptr<MIDIbase>>& retired_;
};
