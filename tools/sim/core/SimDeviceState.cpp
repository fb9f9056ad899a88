#include "SimDevice.h"

#include "SimTextFields.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

constexpr int kDefaultModeValue = 5; // anything but the 2 the editor holds it at
constexpr int kModeValueLimit = 255;

std::string hexKey(long key)
{
    char b[24];
    std::snprintf(b, sizeof b, "%lx", key);
    return b;
}

} // namespace

void SimDevice::resetToDefaults()
{
    values_.clear();
    gains_.clear();
    values_[SimModel::kModeKey] = kDefaultModeValue;
    for (const SimModel::Option& o : model_.Options())
        values_[o.key] = 0;
    // A fixed, legal routing: three destinations of four take a source, picked
    // by a spread of positions among their choices; every fourth has none.
    int n = 0;
    for (const SimModel::Destination& d : model_.Destinations()) {
        const bool connected = n % 4 != 3 && d.choices > 0;
        values_[d.key] = connected ? (n * 5 + 1) % d.choices : SimModel::kNoSource;
        ++n;
    }
    n = 0;
    for (const SimModel::Gain& g : model_.Gains()) {
        gains_[g.key] = std::clamp(n % 6 == 0 ? 0.0 : -3.0 * (n % 6), g.min, g.max);
        ++n;
    }
}

std::optional<int> SimDevice::Value(long key) const
{
    auto it = values_.find(key);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

std::optional<double> SimDevice::GainOf(long key) const
{
    auto it = gains_.find(key);
    if (it == gains_.end())
        return std::nullopt;
    return it->second;
}

bool SimDevice::SetValue(long key, int value, std::string& error)
{
    char b[160];
    if (key == SimModel::kModeKey) {
        if (value < 0 || value > kModeValueLimit) {
            std::snprintf(b, sizeof b, "Value %d out of range 0..%d for key %lx", value,
                kModeValueLimit, key);
            error = b;
            return false;
        }
    } else if (const SimModel::Option* o = model_.FindOption(key)) {
        if (value < 0 || value >= o->choices) {
            std::snprintf(
                b, sizeof b, "Value %d out of range 0..%d for key %lx", value, o->choices - 1, key);
            error = b;
            return false;
        }
    } else if (const SimModel::Destination* d = model_.FindDestination(key)) {
        if ((value < 0 || value >= d->choices) && value != SimModel::kNoSource) {
            std::snprintf(b, sizeof b, "Value %d out of range 0..%d or 99 for key %lx", value,
                d->choices - 1, key);
            error = b;
            return false;
        }
    } else {
        error = "Unknown key " + hexKey(key);
        return false;
    }
    values_[key] = value;
    return true;
}

bool SimDevice::SetGain(long key, double dB, std::string& error)
{
    const SimModel::Gain* g = model_.FindGain(key);
    if (!g) {
        error = "Unknown key " + hexKey(key);
        return false;
    }
    // The editor sends six decimals; allow for the rounding of that text.
    constexpr double slack = 1e-6;
    if (!(dB >= g->min - slack && dB <= g->max + slack)) {
        char b[160];
        std::snprintf(
            b, sizeof b, "Level %f out of range %f..%f for key %lx", dB, g->min, g->max, key);
        error = b;
        return false;
    }
    // + 0.0 turns a negative zero ("-0.000000") into 0.
    gains_[key] = std::clamp(dB, g->min, g->max) + 0.0;
    return true;
}

std::string SimDevice::Dump() const
{
    std::ostringstream out;
    char b[200];
    out << "# Q7300 simulator state\n";
    out << "model " << model_.Name() << "\n";
    std::snprintf(
        b, sizeof b, "value %lx %d  # mode\n", SimModel::kModeKey, values_.at(SimModel::kModeKey));
    out << b;
    for (const SimModel::Option& o : model_.Options()) {
        std::snprintf(
            b, sizeof b, "value %lx %d  # %s\n", o.key, values_.at(o.key), o.name.c_str());
        out << b;
    }
    for (const SimModel::Destination& d : model_.Destinations()) {
        std::snprintf(
            b, sizeof b, "value %lx %d  # %s\n", d.key, values_.at(d.key), d.name.c_str());
        out << b;
    }
    for (const SimModel::Gain& g : model_.Gains()) {
        std::snprintf(b, sizeof b, "gain %lx %f  # %s\n", g.key, gains_.at(g.key), g.name.c_str());
        out << b;
    }
    return out.str();
}

int SimDevice::ModelOfDump(const std::string& text)
{
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string kind, name;
        if (words >> kind >> name && kind == "model")
            return SimModel::FindModel(name.c_str());
    }
    return -1;
}

bool SimDevice::Load(const std::string& text, std::string& error)
{
    SimDevice work(model_.Index());
    work.values_ = values_;
    work.gains_ = gains_;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    bool sawModel = false;
    while (std::getline(in, line)) {
        ++number;
        const std::string body = line.substr(0, line.find('#'));
        std::istringstream words(body);
        std::string kind;
        if (!(words >> kind))
            continue;
        std::string rest;
        std::getline(words, rest);
        const char* p = rest.c_str();
        std::string why;
        long key = 0;
        bool ok = false;
        if (kind == "model") {
            std::istringstream names(rest);
            std::string name, extra;
            ok = static_cast<bool>(names >> name) && !(names >> extra);
            if (ok && SimModel::FindModel(name.c_str()) != model_.Index()) {
                ok = false;
                why = "the state is of model " + name + ", the device is a " + model_.Name();
            }
            sawModel = sawModel || ok;
        } else if (kind == "value") {
            long value = 0;
            ok = readHexKey(p, key) && readInt(p, value) && atEnd(p) && value >= -0x7FFFFFFFL
                && value <= 0x7FFFFFFFL;
            ok = ok && work.SetValue(key, static_cast<int>(value), why);
        } else if (kind == "gain") {
            double dB = 0;
            ok = readHexKey(p, key) && readNumber(p, dB) && atEnd(p);
            ok = ok && work.SetGain(key, dB, why);
        }
        if (!ok) {
            error = "line " + std::to_string(number) + ": "
                + (why.empty() ? "cannot read \"" + body + "\"" : why);
            return false;
        }
    }
    if (!sawModel) {
        error = "no model line";
        return false;
    }
    values_ = std::move(work.values_);
    gains_ = std::move(work.gains_);
    return true;
}
