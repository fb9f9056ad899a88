#pragma once
#include "CFile.h"
#include "MIDIbase.h"

// A transport that writes each outgoing system-exclusive message to a file
// the user names.
class MIDIfile : public MIDIbase {
public:
    MIDIfile() = default;
    ~MIDIfile() override;

    int Send(int count, sendInfo* pieces) override;

private:
    bool fileOpen_ = false;
    CFile file_;
};
