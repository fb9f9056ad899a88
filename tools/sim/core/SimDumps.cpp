#include "SimDumps.h"

#include "Nibble.h"

#include <cstdio>

namespace {

constexpr int kKinds[] = { 15, 19, 21, 22, 57 };

// A factory image: n data bytes of a pattern of the kind. The program image
// names two sections (sizes in data bytes 9..11 and A+13..A+15) covering
// less than the whole, as a bank with free space does.
SimBytes factoryImage(int kind)
{
    const std::size_t n = kind == 21 ? 96 : 48;
    SimBytes data(n);
    for (std::size_t i = 0; i < n; ++i)
        data[i] = static_cast<unsigned char>(i * 5 + kind);
    unsigned long a = kind == 21 ? 20 : 0xFFFFFF;
    auto put24 = [&](std::size_t at, unsigned long v) {
        for (int k = 0; k < 3 && at + k < n; ++k)
            data[at + k] = static_cast<unsigned char>(v >> (16 - 8 * k));
    };
    put24(9, a);
    if (kind == 21)
        put24(a + 13, 30);
    return data;
}

} // namespace

SimDumps::SimDumps()
{
    for (int kind : kKinds)
        images_[kind] = factoryImage(kind);
}

bool SimDumps::IsDumpKind(int command)
{
    for (int kind : kKinds)
        if (kind == command)
            return true;
    return false;
}

const SimBytes& SimDumps::Image(int kind) const
{
    static const SimBytes none;
    const auto it = images_.find(kind);
    return it == images_.end() ? none : it->second;
}

void SimDumps::SetImage(int kind, SimBytes data)
{
    if (IsDumpKind(kind))
        images_[kind] = std::move(data);
}

SimBytes SimDumps::Payload(int kind) const
{
    const SimBytes& data = Image(kind);
    SimBytes out(2 * data.size() + 10);
    const int n = nibbleizeBlock(data.data(), static_cast<int>(data.size()), out.data(), 1);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

bool SimDumps::Accept(int kind, const std::string& payload, std::string& error)
{
    char why[160];
    if (!IsDumpKind(kind)) {
        std::snprintf(why, sizeof why, "No dump of kind %d", kind);
        error = why;
        return false;
    }
    for (unsigned char c : payload)
        if (c > 15) {
            error = "Bad dump: not nibble data";
            return false;
        }
    if (payload.size() < 10 || payload.size() % 2) {
        error = "Bad dump: too short";
        return false;
    }
    unsigned long n = 0;
    for (int i = 0; i < 8; ++i)
        n = (n << 4) | static_cast<unsigned char>(payload[static_cast<std::size_t>(i)]);
    if (n > kMaxImage || 2 * n + 10 != payload.size()) {
        std::snprintf(why, sizeof why, "Bad dump: length %lu for %zu nibbles", n, payload.size());
        error = why;
        return false;
    }
    unsigned sum = 0;
    SimBytes data;
    data.reserve(n);
    for (std::size_t i = 0; i + 1 < payload.size(); i += 2) {
        const unsigned char b
            = static_cast<unsigned char>(static_cast<unsigned char>(payload[i]) * 16
                + static_cast<unsigned char>(payload[i + 1]));
        sum += b;
        if (i >= 8 && i < 8 + 2 * n)
            data.push_back(b);
    }
    if (sum % 256 != 0) {
        error = "Bad dump: checksum";
        return false;
    }
    images_[kind] = std::move(data);
    ++accepted_[kind];
    return true;
}

int SimDumps::Accepted(int kind) const
{
    const auto it = accepted_.find(kind);
    return it == accepted_.end() ? 0 : it->second;
}
