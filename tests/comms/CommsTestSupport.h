#pragma once
// Stand-ins shared by the comms tests: a private settings store, answered
// file questions, files as bytes and well-formed dump files.
#include "CommsHooks.h"
#include "JackWatch.h"
#include "Nibble.h"
#include "ProfileStore.h"
#include "ProtocolRecorder.h"
#include "ScopedSettings.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QSettings>

#include <cstdlib>
#include <deque>
#include <functional>
#include <vector>

// The protocol object opens the MIDI service as it starts: never start one.
inline const int noJackAutostart = (setenv("JACK_NO_START_SERVER", "1", 1), 0);

// Closes a test's own JACK ports the way the program closes its own, in turn
// once the graph is still, while the test's server still runs.
inline void closePortsInTurn(const std::vector<std::function<void()>>& closes)
{
    const auto watch = JackWatch::start({});
    if (watch)
        watch->runInTurn(closes, 0); // the watch's own arrival is reported first
    else
        for (const auto& close : closes)
            close();
}

// Answers the comms layer's file questions from a queue while it lives and
// records every question; an empty queue cancels.
class FileAnswers {
public:
    struct Question {
        bool open;
        std::string proposed, filter;
    };
    FileAnswers()
    {
        previous_ = commsHooks().askFileName;
        commsHooks().askFileName
            = [this](bool open, const char*, const char* proposed, const char* filter) {
                  questions.push_back({ open, proposed ? proposed : "", filter ? filter : "" });
                  if (answers.empty())
                      return CString();
                  CString a(answers.front().c_str());
                  answers.pop_front();
                  return a;
              };
    }
    ~FileAnswers() { commsHooks().askFileName = previous_; }
    FileAnswers(const FileAnswers&) = delete;
    FileAnswers& operator=(const FileAnswers&) = delete;
    void choose(const std::string& path) { answers.push_back(path); }

    std::deque<std::string> answers;
    std::vector<Question> questions;

private:
    decltype(CommsHooks::askFileName) previous_;
};

inline std::string writeBytes(const std::string& path, const Bytes& bytes)
{
    QFile f(QString::fromStdString(path));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return path;
}

inline Bytes readBytes(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = f.readAll();
    return Bytes(all.begin(), all.end());
}

// A dump file of these data bytes: length, data and checksum as nibbles.
inline Bytes dumpFileOf(const Bytes& data)
{
    Bytes out(2 * data.size() + 10);
    out.resize(static_cast<size_t>(
        nibbleizeBlock(data.data(), static_cast<int>(data.size()), out.data(), 1)));
    return out;
}

// Data bytes 0..n-1 with the section sizes a (data bytes 9..11) and b (data
// bytes a+13..a+15) written in where they fit.
inline Bytes sectionedData(size_t n, unsigned long a, unsigned long b)
{
    Bytes data(n);
    for (size_t i = 0; i < n; ++i)
        data[i] = static_cast<unsigned char>(i * 7 + 3);
    auto put24 = [&](size_t at, unsigned long v) {
        for (size_t k = 0; k < 3; ++k)
            if (at + k < n)
                data[at + k] = static_cast<unsigned char>(v >> (16 - 8 * k));
    };
    put24(9, a);
    put24(a + 13, b);
    return data;
}
