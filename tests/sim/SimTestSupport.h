#pragma once
#include "SimDevice.h"
#include "SimFraming.h"

#include <cstdio>
#include <string>
#include <vector>

// A request as the editor's protocol object frames it (MIDI ID 1).
inline SimBytes request(unsigned char command, const std::string& text, unsigned char id = 1)
{
    return simFrame(id, command, text);
}

inline SimBytes bytesOf(const std::string& s)
{
    return SimBytes(s.begin(), s.end());
}

// Command byte and text of a framed device reply.
struct Reply {
    int command = -1;
    std::string text;
};

inline Reply replyOf(const SimBytes& b)
{
    Reply r;
    if (b.size() >= 6 && b[0] == 0xF0 && b[1] == 0x7D && b.back() == 0xF7) {
        r.command = b[4];
        r.text.assign(b.begin() + 5, b.end() - 1);
    }
    return r;
}

// Feeds one message to the device at time 0 and takes every reply.
inline std::vector<SimBytes> ask(SimDevice& d, const SimBytes& message)
{
    d.Receive(message, 0);
    return d.TakeDue(0);
}

inline Reply askOne(SimDevice& d, unsigned char command, const std::string& text)
{
    auto replies = ask(d, request(command, text));
    return replies.size() == 1 ? replyOf(replies[0]) : Reply {};
}

// The editor's reading of the device's texts: object information "COL" and
// "NUM" replies and value reports, with the quote handling that keeps quoted
// words with blanks together.
struct EditorGain {
    long key = 0;
    double gain = 0, min = 0, max = 0, step = 0;
    std::string name;
};

inline bool editorReadsNum(const std::string& text, EditorGain& out)
{
    if (text.compare(0, 3, "NUM") != 0)
        return false;
    std::string t = text;
    for (char& c : t)
        if (c == '\'')
            c = '"';
    int quotes = 0;
    for (char& c : t) {
        if (c == '"')
            ++quotes;
        else if (c == ' ' && quotes % 2 == 1)
            c = '_';
    }
    char w1[256], w2[256], w3[256];
    int n = 0;
    long key2 = 0;
    const int fields = std::sscanf(t.c_str(), "%255s %d %lx %lx %255s %255s %lf %lf %lf %lf", w1,
        &n, &out.key, &key2, w2, w3, &out.gain, &out.min, &out.max, &out.step);
    out.name = w2;
    return fields == 10;
}

inline bool editorReadsCol(const std::string& text, std::string& name)
{
    if (text.compare(0, 3, "COL") != 0)
        return false;
    char w1[256], w2[256];
    int n = 0;
    long key = -1, key2 = 0;
    if (std::sscanf(text.c_str(), "%255s %d %lx %lx %255s", w1, &n, &key, &key2, w2) != 5
        || key != 0)
        return false;
    name = w2[0] == '\'' ? w2 + 1 : w2;
    return true;
}

inline bool editorReadsValue(const std::string& text, long& key, int& value)
{
    unsigned v = 0;
    if (std::sscanf(text.c_str(), "%lx %x", &key, &v) != 2)
        return false;
    value = static_cast<int>(v);
    return true;
}

// Every key the editor reads with a value request: the mode key, the option
// keys and the destination keys.
inline std::vector<long> valueKeys(const SimModel& m)
{
    std::vector<long> keys { SimModel::kModeKey };
    for (const auto& o : m.Options())
        keys.push_back(o.key);
    for (const auto& d : m.Destinations())
        keys.push_back(d.key);
    return keys;
}
