// Key/value requests and short channel messages.
#include "ZorvantaMidiProcessor.h"

#include "MIDIbase.h"
#include "Nibble.h"
#include "SysexVocabulary.h"
#include "TransportCall.h"

#include <cstdio>

namespace {
int textLength(int written, int size)
{
    return written < 0 ? 0 : (written < size ? written : size - 1);
}
} // namespace

int ZorvantaMidiProcessor::SetKeyValue(long key, int value, QObject* window)
{
    char text[64];
    const int n = std::snprintf(text, sizeof text, sysex::keyValueText, key, value);
    return SysxCommand(sysex::setValue, text, textLength(n, sizeof text), window);
}

int ZorvantaMidiProcessor::SetKeyValue(long key, float value, QObject* window)
{
    char text[400];
    const int n = std::snprintf(text, sizeof text, "%lx %2.4f", key, static_cast<double>(value));
    return SysxCommand(sysex::setValue, text, textLength(n, sizeof text), window);
}

int ZorvantaMidiProcessor::GetKeyValue(long key, QObject* window)
{
    char text[32];
    const int n = std::snprintf(text, sizeof text, sysex::keyText, key);
    return SysxCommand(sysex::valueRequest, text, textLength(n, sizeof text), window);
}

int ZorvantaMidiProcessor::GetObjectInfo(long key, int index, QObject* window)
{
    char text[64];
    const int n = std::snprintf(text, sizeof text, sysex::keyIndexText, key, index);
    return SysxCommand(sysex::objectInfoRequest, text, textLength(n, sizeof text), window);
}

int ZorvantaMidiProcessor::SendKeypress(long keyCode, QObject* window)
{
    unsigned char nibbles[8];
    unsigned int pos = 0;
    nibble4(static_cast<unsigned long>(keyCode) & 0xFFFFFFFFul, nibbles, pos);
    return SysxCommand(sysex::keypress, nibbles, sizeof nibbles, window);
}

int ZorvantaMidiProcessor::SendWheel(int wheel, long delta, QObject* window)
{
    if (wheel != 0)
        return 0;
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%ld", delta);
    return SysxCommand(sysex::wheel, text, textLength(n, sizeof text), window);
}

int ZorvantaMidiProcessor::SendProgramChange(int channel, int program)
{
    SaveTicks();
    return ShortMessage(static_cast<unsigned char>(0xC0 | (channel & 0xFF)),
        static_cast<unsigned char>(program), 0);
}

int ZorvantaMidiProcessor::SendController(int channel, int controller, int value)
{
    SaveTicks();
    if (!transport_->IsOpen())
        Open(1);
    return ShortMessage(static_cast<unsigned char>(0xB0 | (channel & 0xFF)),
        static_cast<unsigned char>(controller), static_cast<unsigned char>(value));
}

int ZorvantaMidiProcessor::ShortMessage(
    unsigned char status, unsigned char data1, unsigned char data2)
{
    TransportCall call(transportDepth_, retired_);
    return transport_->ShortMessage(status, data1, data2);
}
