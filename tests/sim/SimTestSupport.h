#pragma once
// The simulated device asked directly: requests framed as the editor's
// protocol object frames them, and the command and text of each reply.
#include "SimDevice.h"
#include "SimFraming.h"

#include <string>
#include <vector>

// A request as the editor's protocol object frames it (MIDI ID 1).
inline SimBytes request(unsigned char command, const std::string& text, unsigned char id = 1)
{
    return simFrame(id, command, text);
}

// Command byte and text of a framed device reply.
struct Reply {
    int command = -1;
    std::string text;
};

inline Reply replyOf(const SimBytes& b)
{
    Reply r;
    if (b.size() >= 6 && b[0] == 0xF0 && b[1] == 0x7D && b.back() == 0xF7) {
        r.command = b[4];
        r.text.assign(b.begin() + 5, b.end() - 1);
    }
    return r;
}

// Feeds one message to the device at time 0 and takes every reply.
inline std::vector<SimBytes> ask(SimDevice& d, const SimBytes& message)
{
    d.Receive(message, 0);
    return d.TakeDue(0);
}

// The one reply to a request; command -1 when there is none or more than one.
inline Reply askOne(SimDevice& d, unsigned char command, const std::string& text)
{
    auto replies = ask(d, request(command, text));
    return replies.size() == 1 ? replyOf(replies[0]) : Reply {};
}

// Every key the editor reads with a value request: the mode key, the option
// keys and the destination keys.
inline std::vector<long> valueKeys(const SimModel& m)
{
    std::vector<long> keys { SimModel::kModeKey };
    for (const auto& o : m.Options())
        keys.push_back(o.key);
    for (const auto& d : m.Destinations())
        keys.push_back(d.key);
    return keys;
}
