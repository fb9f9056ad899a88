#pragma once
// Key scripts: text files of parameter settings replayed to the device, one
// command per line ("SEND,key,value", "WAIT,seconds[,ALL]", "MSG,text").
#include <functional>
#include <string>
#include <vector>

class CFile;

// Reads a key script line by line: control characters (carriage returns among
// them) are dropped, a line keeps at most 255 characters, the text from the
// first '#' (or, without one, the first ';') is a remark, and what is left is
// split at commas into at most 16 fields, blanks kept.
class KeyScriptReader {
public:
    static constexpr int kMaxLine = 255;
    static constexpr int kMaxFields = 16;

    explicit KeyScriptReader(CFile& file)
        : file_(file)
    {
    }
    KeyScriptReader(const KeyScriptReader&) = delete;
    KeyScriptReader& operator=(const KeyScriptReader&) = delete;

    // The fields of the next line that holds more than a remark; false at the
    // end of the file.
    bool Next(std::vector<std::string>& fields);
    // Cuts the remark off one line and splits the rest; false when nothing is left.
    static bool Split(const std::string& line, std::vector<std::string>& fields);

private:
    bool readLine(std::string& line);
    int get();

    CFile& file_;
    unsigned char buffer_[512];
    int length_ = 0;
    int at_ = 0;
    bool ended_ = false;
};

// Longest single wait of a script, in milliseconds.
constexpr unsigned long kMaxScriptWait = 10000;

// The number of a WAIT field in seconds; 0 for text that is no finite number.
double keyScriptSeconds(const std::string& field);
// Milliseconds of a number of seconds, truncated, between 0 and the cap.
unsigned long keyScriptWait(double seconds);

// Waits that long (at most kMaxScriptWait): a busy wait, or the installed
// replacement (tests).
void keyScriptDelay(unsigned long milliseconds);
// Replaces the waits of scripts; an empty function restores the busy wait.
// Returns the previous replacement.
using KeyScriptDelay = std::function<void(unsigned long milliseconds)>;
KeyScriptDelay setKeyScriptDelay(KeyScriptDelay delay);
