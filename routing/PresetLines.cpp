#include "PresetLines.h"

#include "IODesc.h"

#include <charconv>

namespace {

void appendHexKey(std::string& out, long key)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<unsigned long>(key), 16);
    out.append(buf, r.ptr);
}

} // namespace

void appendPresetGain(std::string& out, long key, double dB)
{
    // The gain goes through single precision, so -3.45 is stored as -3.4 and
    // matches what the device would report for the same value.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(static_cast<float>(dB)),
        std::chars_format::fixed, 1);
    appendHexKey(out, key);
    out += ' ';
    if (r.ec == std::errc())
        out.append(buf, r.ptr);
    else
        out += "0.0";
    out += "\r\n";
}

void appendPresetValue(std::string& out, long key, int value)
{
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    appendHexKey(out, key);
    out += ' ';
    out.append(buf, r.ptr);
    out += "\r\n";
}

void appendPresetNode(std::string& out, const IODesc& node, double dB, int value)
{
    if (node.gainKey != 0)
        appendPresetGain(out, node.gainKey, dB);
    if (node.key != 0 && node.entry && node.entry->inputs > 0)
        for (int i = 0; i < node.entry->inputs; ++i)
            appendPresetValue(out, node.key + i, value);
}
