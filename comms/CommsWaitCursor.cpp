#include "CommsWaitCursor.h"

#include "CommsHooks.h"

CommsWaitCursor::CommsWaitCursor()
{
    if (commsHooks().showBusy) {
        commsHooks().showBusy(true);
        shown_ = true;
    }
}

CommsWaitCursor::~CommsWaitCursor()
{
    if (shown_ && commsHooks().showBusy)
        commsHooks().showBusy(false);
}
