#include "SimDevice.h"

#include "Nibble.h"
#include "SimFraming.h"
#include "SimTextFields.h"
#include "SysexVocabulary.h"

#include <cstdarg>
#include <cstdio>

namespace {

std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* fmt, ...)
{
    char buf[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, args);
    va_end(args);
    return buf;
}

// Due times are compared modulo 2^32 so that a clock that wraps keeps working.
bool reached(std::uint32_t now, std::uint32_t due)
{
    return static_cast<std::int32_t>(now - due) >= 0;
}

} // namespace

std::string hexBytes(const SimBytes& bytes)
{
    std::string s;
    char b[4];
    for (unsigned char c : bytes) {
        std::snprintf(b, sizeof b, "%02X ", c);
        s += b;
    }
    if (!s.empty())
        s.pop_back();
    return s;
}

SimDevice::SimDevice(int modelIndex)
    : model_(modelIndex)
{
    resetToDefaults();
}

void SimDevice::Receive(const unsigned char* bytes, std::size_t length, std::uint32_t now)
{
    now_ = now;
    SimBytes msg;
    msg.reserve(length);
    for (std::size_t i = 0; i < length; ++i)
        if (bytes[i] < 0xF8) // timing clock, active sensing and the like may come anywhere
            msg.push_back(bytes[i]);
    if (msg.empty())
        return;
    const bool sysex = msg.size() >= 2 && msg.front() == 0xF0 && msg.back() == 0xF7;
    if (sysex && msg.size() == 6 && msg[1] == 0x7E && msg[3] == 0x06 && msg[4] == 0x01) {
        if (log_)
            log_(true, msg, "identity request");
        if (takeRequest("identity request"))
            handleIdentity(msg[2]);
        return;
    }
    if (!sysex || msg.size() < 6 || msg[1] != sysex::manufacturer || msg[2] != sysex::family) {
        if (log_)
            log_(true, msg, "not for this device, ignored");
        return;
    }
    std::string text(msg.begin() + 5, msg.end() - 1);
    const unsigned char command = msg[4];
    if (log_) {
        std::string what = format("command %d", command);
        if (SimDumps::IsDumpKind(command))
            what += format(" (dump, %zu nibbles)", text.size());
        else if (command != sysex::keypress)
            what += " \"" + text + "\"";
        log_(true, msg, what);
    }
    handleDevice(msg[3], command, text);
}

bool SimDevice::takeRequest(const std::string& what)
{
    if (ignoreLeft_ <= 0)
        return true;
    --ignoreLeft_;
    ++ignored_;
    if (log_)
        log_(true, {}, what + " ignored on purpose");
    return false;
}

void SimDevice::handleDevice(unsigned char id, unsigned char command, const std::string& text)
{
    switch (command) {
    case sysex::objectInfoRequest:
        if (takeRequest("object information request"))
            objectInfo(id, text);
        break;
    case sysex::valueRequest:
        if (takeRequest("value request"))
            valueRequest(id, text);
        break;
    case sysex::setValue:
        setValue(id, text);
        break;
    case sysex::setGain:
        setGain(id, text);
        break;
    case sysex::keypress:
        keypress(text);
        break;
    case 15:
    case 19:
    case 21:
    case 22:
    case 57:
        dump(id, command, text);
        break;
    default:
        error(id, format("Unknown command %d", command));
        break;
    }
}

void SimDevice::handleIdentity(unsigned char)
{
    // Universal identity reply: device channel, 06 02, manufacturer, family
    // (low byte first), member (the model), four version bytes, then a short
    // text ended by a zero byte so that the reader stops before the F7.
    SimBytes body { 0x7E, 0x00, 0x06, 0x02, sysex::manufacturer, sysex::family, 0x00,
        static_cast<unsigned char>(model_.Index() + 1), 0x00, 0x00, 0x00, 0x00, 0x01 };
    const std::string text = std::string(model_.Name()) + " simulator";
    body.insert(body.end(), text.begin(), text.end());
    body.push_back(0x00);
    queue(simFrame(0, 0xFF, body.data(), static_cast<int>(body.size())), "identity reply");
}

void SimDevice::objectInfo(unsigned char id, const std::string& text)
{
    const char* p = text.c_str();
    long key = 0;
    long index = 0;
    if (!readHexKey(p, key) || !readInt(p, index) || !atEnd(p)) {
        error(id, "Bad object information request: " + text);
        return;
    }
    if (key == 0) {
        // The fifth field names the model, with the apostrophe the device
        // puts before names.
        reply(id, sysex::objectInfo, format("COL %ld 0 0 '%s", index, model_.Name()));
        return;
    }
    const SimModel::Gain* g = model_.FindGain(key);
    if (!g) {
        error(id, format("No object information for key %lx", key));
        return;
    }
    if (index != 3) {
        error(id, format("No object information %ld for key %lx", index, key));
        return;
    }
    // Name and unit are quoted words; the name holds blanks.
    reply(id, sysex::objectInfo,
        format("NUM 3 %lx 0 '%s level' 'dB' %f %f %f %f", key, g->name.c_str(), gains_.at(key),
            g->min, g->max, g->step));
}

std::string SimDevice::valueReport(long key) const
{
    if (auto v = Value(key))
        return format("%lx %x", key, static_cast<unsigned>(*v));
    return format("%lx %f", key, *GainOf(key));
}

void SimDevice::valueRequest(unsigned char id, const std::string& text)
{
    const char* p = text.c_str();
    long key = 0;
    if (!readHexKey(p, key) || !atEnd(p)) {
        error(id, "Bad value request: " + text);
        return;
    }
    if (Value(key))
        reply(id, sysex::setValue, valueReport(key));
    else if (GainOf(key))
        reply(id, sysex::gainReport, valueReport(key));
    else
        error(id, format("Unknown key %lx", key));
}

void SimDevice::setValue(unsigned char id, const std::string& text)
{
    const char* p = text.c_str();
    long key = 0;
    if (!readHexKey(p, key)) {
        error(id, "Bad set value: " + text);
        return;
    }
    std::string why;
    if (model_.FindGain(key)) {
        // A level may also be set with the fractional form of this command.
        double dB = 0;
        if (!readNumber(p, dB) || !atEnd(p)) {
            error(id, "Bad set value: " + text);
            return;
        }
        if (!SetGain(key, dB, why)) {
            error(id, why);
            return;
        }
        if (echo_)
            reply(id, sysex::gainReport, valueReport(key));
        return;
    }
    long value = 0;
    if (!readInt(p, value) || !atEnd(p)) {
        error(id, "Bad set value: " + text);
        return;
    }
    if (value < -0x7FFFFFFFL || value > 0x7FFFFFFFL
        || !SetValue(key, static_cast<int>(value), why)) {
        error(id, why.empty() ? format("Value %ld out of range for key %lx", value, key) : why);
        return;
    }
    if (echo_)
        reply(id, sysex::setValue, valueReport(key));
}

void SimDevice::setGain(unsigned char id, const std::string& text)
{
    const char* p = text.c_str();
    long key = 0;
    double dB = 0;
    if (!readHexKey(p, key) || !readNumber(p, dB) || !atEnd(p)) {
        error(id, "Bad set gain: " + text);
        return;
    }
    std::string why;
    if (!SetGain(key, dB, why)) {
        error(id, why);
        return;
    }
    if (echo_)
        reply(id, sysex::gainReport, valueReport(key));
}

void SimDevice::keypress(const std::string& payload)
{
    // A front-panel key code as eight nibbles; the device only notes it.
    if (payload.size() != 8 || !log_)
        return;
    char code[4];
    denibbleize(reinterpret_cast<const unsigned char*>(payload.data()), code, 8);
    const unsigned long k = (static_cast<unsigned long>(static_cast<unsigned char>(code[0])) << 24)
        | (static_cast<unsigned long>(static_cast<unsigned char>(code[1])) << 16)
        | (static_cast<unsigned long>(static_cast<unsigned char>(code[2])) << 8)
        | static_cast<unsigned char>(code[3]);
    log_(true, {}, format("keypress %lx", k));
}

void SimDevice::dump(unsigned char id, unsigned char kind, const std::string& payload)
{
    if (payload.empty()) {
        const SimBytes data = dumps_.Payload(kind);
        queue(simFrame(id, kind, data.data(), static_cast<int>(data.size())),
            format("dump %d of %zu bytes", kind, dumps_.Image(kind).size()));
        return;
    }
    std::string why;
    if (!dumps_.Accept(kind, payload, why))
        error(id, why);
    else if (log_)
        log_(true, {}, format("dump %d taken, %zu bytes", kind, dumps_.Image(kind).size()));
}

void SimDevice::reply(unsigned char id, unsigned char command, const std::string& text)
{
    queue(simFrame(id, command, text), format("command %d \"%s\"", command, text.c_str()));
}

void SimDevice::error(unsigned char id, const std::string& text)
{
    queue(simFrame(id, sysex::errorText, text), "error \"" + text + "\"");
}

void SimDevice::queue(SimBytes bytes, std::string what)
{
    outbox_.push_back({ now_ + latency_, std::move(bytes), std::move(what) });
}

std::vector<SimBytes> SimDevice::TakeDue(std::uint32_t now)
{
    std::vector<SimBytes> due;
    while (!outbox_.empty() && reached(now, outbox_.front().due)) {
        if (log_)
            log_(false, outbox_.front().bytes, outbox_.front().what);
        due.push_back(std::move(outbox_.front().bytes));
        outbox_.pop_front();
    }
    return due;
}

std::optional<std::uint32_t> SimDevice::NextDue() const
{
    if (outbox_.empty())
        return std::nullopt;
    return outbox_.front().due;
}
