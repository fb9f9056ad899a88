// The lines of a routing preset file: a hexadecimal key, a space and the value,
// ended by CR LF. The numbers are formatted without the C library so that the
// user's locale can never turn the decimal point into a comma.
#pragma once

#include <string>

class IODesc;

// "key dB" with one decimal; the gain is taken in single precision first.
void appendPresetGain(std::string& out, long key, double dB);
// "key value".
void appendPresetValue(std::string& out, long key, int value);
// A node's lines for the given gain and value: the gain when the node has a gain
// key, then one value line per input key of a selectable destination.
void appendPresetNode(std::string& out, const IODesc& node, double dB, int value);
