#pragma once
// Scoped, nestable wait cursor for the comms layer, which has no widgets of
// its own: shows the busy cursor while a message goes out, through the
// showBusy hook the comms windows install.
class CommsWaitCursor {
public:
    CommsWaitCursor();
    ~CommsWaitCursor();
    CommsWaitCursor(const CommsWaitCursor&) = delete;
    CommsWaitCursor& operator=(const CommsWaitCursor&) = delete;

private:
    bool shown_ = false;
};
