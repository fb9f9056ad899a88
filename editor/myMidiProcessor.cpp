#include "myMidiProcessor.h"

#include "CRoutingDlg.h"

myMidiProcessor::myMidiProcessor(CRoutingDlg* owner)
    : owner(owner)
{
    // The editor keeps the link open while it runs; the protocol's idle
    // disconnection comes back when the editor ends.
    restoreAutoDisconnect = AutoDisconnectActive();
    AutoDisconnect(0, 0);
}

myMidiProcessor::~myMidiProcessor()
{
    AutoDisconnect(static_cast<signed char>(restoreAutoDisconnect), 15000);
}

void myMidiProcessor::ProcessTextMessage(int command, const char* text, QObject*)
{
    if (owner)
        owner->ProcessTextMessage(command, text);
}

void myMidiProcessor::OnPrognumsDump(int, const prognums_buffer*, QObject*) { }

int myMidiProcessor::ProcessIdentityMessage(char*, QObject*)
{
    return 0;
}

void myMidiProcessor::UnknownCommand(char*, int) { }

void myMidiProcessor::OnLinkLost(int why)
{
    if (owner)
        owner->OnLinkLost(why);
}
