#pragma once
#include "SimDevice.h"

#include <string>

// Frames a device message with the protocol layer's own framing:
// F0 7D 70 id command payload F7 (command 0xFF: F0 payload F7).
SimBytes simFrame(
    unsigned char id, unsigned char command, const unsigned char* payload, int length);
SimBytes simFrame(unsigned char id, unsigned char command, const std::string& text);
