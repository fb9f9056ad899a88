#include "KeyScript.h"

#include "CFile.h"
#include "ZorvantaMidiProcessor.h"

#include <cmath>
#include <cstdlib>

namespace {

KeyScriptDelay& installedDelay()
{
    static KeyScriptDelay delay;
    return delay;
}

} // namespace

int KeyScriptReader::get()
{
    if (at_ == length_) {
        if (ended_)
            return -1;
        length_ = file_.Read(buffer_, static_cast<int>(sizeof buffer_));
        at_ = 0;
        if (length_ <= 0) {
            length_ = 0;
            ended_ = true;
            return -1;
        }
    }
    return buffer_[at_++];
}

bool KeyScriptReader::readLine(std::string& line)
{
    line.clear();
    int c = get();
    if (c < 0)
        return false;
    for (; c >= 0 && c != '\n'; c = get())
        // Only printable ASCII is kept: a byte of 0x80 or more inside a SEND
        // text would break the system-exclusive message on the wire.
        if (c >= 0x20 && c < 0x7F && static_cast<int>(line.size()) < kMaxLine)
            line += static_cast<char>(c);
    return true;
}

bool KeyScriptReader::Split(const std::string& line, std::vector<std::string>& fields)
{
    fields.clear();
    std::string::size_type cut = line.find('#');
    if (cut == std::string::npos)
        cut = line.find(';');
    const std::string text = line.substr(0, cut);
    if (text.empty())
        return false;
    std::string::size_type start = 0;
    while (static_cast<int>(fields.size()) < kMaxFields) {
        const std::string::size_type comma = text.find(',', start);
        fields.push_back(text.substr(start, comma == std::string::npos ? comma : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return true;
}

bool KeyScriptReader::Next(std::vector<std::string>& fields)
{
    std::string line;
    while (readLine(line))
        if (Split(line, fields))
            return true;
    fields.clear();
    return false;
}

double keyScriptSeconds(const std::string& field)
{
    const double seconds = std::strtod(field.c_str(), nullptr);
    return std::isfinite(seconds) ? seconds : 0.0;
}

unsigned long keyScriptWait(double seconds)
{
    const double ms = seconds * 1000.0;
    if (!(ms > 0))
        return 0;
    return ms >= kMaxScriptWait ? kMaxScriptWait : static_cast<unsigned long>(ms);
}

void keyScriptDelay(unsigned long milliseconds)
{
    if (milliseconds > kMaxScriptWait)
        milliseconds = kMaxScriptWait;
    if (installedDelay())
        installedDelay()(milliseconds);
    else
        do_delay(milliseconds);
}

KeyScriptDelay setKeyScriptDelay(KeyScriptDelay delay)
{
    KeyScriptDelay previous = std::move(installedDelay());
    installedDelay() = std::move(delay);
    return previous;
}
