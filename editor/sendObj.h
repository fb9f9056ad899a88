// One queued outgoing editor message (a request or a value to set).
#pragma once

#include "CObject.h"
#include "CString.h"

#include <cstdint>

class CRoutingDlg;

class sendObj : public CObject {
public:
    sendObj(int command, const CString& text, bool wantsReply, CRoutingDlg* owner)
        : command(command)
        , text(text)
        , wantsReply(wantsReply)
        , owner(owner)
    {
    }

    int command; // only its low 8 bits are sent
    CString text; // the request text
    bool wantsReply; // kept in the request queue until answered
    CRoutingDlg* owner; // the editor whose protocol object sends it
    // Time on the pump's clock (PumpClock.h) after which it counts as
    // unanswered; 0 = not sent yet.
    std::uint64_t deadline = 0;
    int retries = 0; // time-outs so far
};
