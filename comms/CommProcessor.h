#pragma once
#include "CommsTypes.h"

class MIDIbase;
class CDialog;

// Base of the device-protocol object: the operations the comms configuration
// pages need.
class CommProcessor {
public:
    CommProcessor() = default;
    CommProcessor(const CommProcessor&) = delete;
    CommProcessor& operator=(const CommProcessor&) = delete;

    virtual void ReInit() { }
    virtual ~CommProcessor() = default;
    virtual void ChooseComms(comm_type type, CDialog* page = nullptr) = 0;
    virtual MIDIbase* GetDriver() { return nullptr; }
};
