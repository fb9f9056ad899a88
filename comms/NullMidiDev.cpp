#include "NullMidiDev.h"

#include "ZorvantaMidiProcessor.h"

namespace {
bool firstUsePending = true;
}

NullMidiDev::NullMidiDev(ZorvantaMidiProcessor* processor)
    : processor_(processor)
{
}

NullMidiDev::~NullMidiDev() = default;

void NullMidiDev::ResetFirstUse()
{
    firstUsePending = true;
}

void NullMidiDev::firstUse()
{
    if (!firstUsePending)
        return;
    firstUsePending = false;
    // The configuration may replace this transport; the protocol object keeps
    // it alive until this call has returned, and nothing here touches it after.
    if (processor_)
        processor_->ConfigComms();
}

int NullMidiDev::Send(int, sendInfo*)
{
    firstUse();
    return 0;
}

int NullMidiDev::ShortMessage(unsigned char, unsigned char, unsigned char)
{
    firstUse();
    return 0;
}
