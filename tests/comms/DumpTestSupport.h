#pragma once
// Stand-ins for the dump, raw file and key script tests: answered file
// dialogs, files written and read as bytes, well-formed dump files, and a
// protocol object with the real dump handlers on a recording transport.
#include "CommsTestSupport.h"
#include "Nibble.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>

#include <deque>
#include <string>
#include <vector>

// Answers the comms layer's file questions from a queue while it lives and
// records every question; an empty queue cancels.
class FileAnswers {
public:
    struct Question {
        bool open;
        std::string defaultExtension;
        std::string proposed;
        std::string filter;
    };

    FileAnswers()
    {
        previous_ = commsHooks().askFileName;
        commsHooks().askFileName
            = [this](bool open, const char* ext, const char* proposed, const char* filter) {
                  questions.push_back(
                      { open, ext ? ext : "", proposed ? proposed : "", filter ? filter : "" });
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

inline void writeBytes(const std::string& path, const Bytes& bytes)
{
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

inline Bytes readBytes(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = f.readAll();
    return Bytes(all.begin(), all.end());
}

inline bool fileExists(const std::string& path)
{
    return QFile::exists(QString::fromStdString(path));
}

// A dump file of these data bytes: length, data and checksum as nibbles.
inline Bytes dumpFileOf(const Bytes& data)
{
    Bytes out(2 * data.size() + 10);
    const int n = nibbleizeBlock(data.data(), static_cast<int>(data.size()), out.data(), 1);
    out.resize(static_cast<size_t>(n));
    return out;
}

// Decodes pairs of nibbles.
inline Bytes denibbled(const Bytes& nibbles, size_t from = 0)
{
    Bytes out;
    for (size_t i = from; i + 1 < nibbles.size(); i += 2)
        out.push_back(static_cast<unsigned char>(nibbles[i] * 16 + nibbles[i + 1]));
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
        for (int k = 0; k < 3; ++k)
            if (at + k < n)
                data[at + k] = static_cast<unsigned char>(v >> (16 - 8 * k));
    };
    put24(9, a);
    put24(a + 13, b);
    return data;
}

// The protocol object with its own dump handlers on a recording transport.
class DumpProcessor : public ZorvantaMidiProcessor {
public:
    DumpProcessor()
    {
        auto t = std::make_unique<RecordingTransport>();
        transport = t.get();
        InstallTransport(std::move(t), commMidi);
    }
    int feed(const Bytes& bytes, QObject* window = nullptr)
    {
        return ProcessMidiMsg(new RtMidiMsg(bytes.data(), bytes.size()), window);
    }
    RecordingTransport* transport;
};
