#include "RtMidiMsg.h"

RtMidiMsg::RtMidiMsg(const unsigned char* bytes, std::size_t length)
    : bytes_(bytes, bytes + length)
{
}

RtMidiMsg::RtMidiMsg(std::vector<unsigned char> bytes)
    : bytes_(std::move(bytes))
{
}
