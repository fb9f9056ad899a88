#pragma once
#include "MIDIbase.h"

class ZorvantaMidiProcessor;

// A transport that sends nothing; the first use in a run asks the user to
// configure the connection.
class NullMidiDev : public MIDIbase {
public:
    explicit NullMidiDev(ZorvantaMidiProcessor* processor);
    ~NullMidiDev() override;

    int ShortMessage(unsigned char status, unsigned char data1, unsigned char data2) override;
    int Send(int count, sendInfo* pieces) override;

    // Makes the next use in this run ask again (tests).
    static void ResetFirstUse();

private:
    void firstUse();

    ZorvantaMidiProcessor* processor_;
};
