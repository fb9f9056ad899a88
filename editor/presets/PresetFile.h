// The text of one routing preset: a writer that collects the lines and
// replaces the file in one step, and a reader that hands back one bounded line
// at a time together with what it says.
#pragma once

#include "CString.h"

#include <QFile>

#include <string>

class IODesc;

class PresetFile {
public:
    static constexpr int maxLineLength = 255; // characters before the line end
    static constexpr int maxWordLength = 31; // characters of the value word

    // What one line of a preset says.
    struct Record {
        enum Kind { blank, gainLine, valueLine, nameLine, badLine };
        Kind kind = blank;
        long key = 0;
        float gain = 0.0f; // kind gain, in dB
        int value = 0; // kind value
    };

    PresetFile() = default;
    ~PresetFile();
    PresetFile(const PresetFile&) = delete;
    PresetFile& operator=(const PresetFile&) = delete;

    // ---- writing
    // "key dB" with one decimal; the gain is taken in single precision first.
    void AddGain(long key, double dB);
    // "key value".
    void AddValue(long key, int value);
    // A node's lines: its gain when it has a gain key, then one value line per
    // input key of a selectable destination; its own gain and value, or the given.
    void AddNode(const IODesc& node);
    void AddNode(const IODesc& node, double dB, int value);
    const std::string& Text() const { return text; }
    // Writes the collected lines to a temporary file beside path and renames it
    // over path only when every byte was written, so a failed save leaves an
    // older file as it was. FALSE when anything failed.
    BOOL Commit(const CString& path);

    // ---- reading
    BOOL Open(const CString& path);
    // Whether the open file may be applied at all: it is text (no zero byte or
    // control character other than white space) and holds at least one gain or
    // value record. Reading starts again at the beginning afterwards.
    bool IsPreset();
    // The next line without its LF. A line longer than maxLineLength comes back
    // cut to that length with tooLong set; the rest of it is skipped. FALSE at
    // the end of the file.
    BOOL ReadLine(std::string& line, bool& tooLong);
    void Close();

    // What a line says. Accepted: a hexadecimal key, white space and a value
    // word (a gain when it holds a '.', else an integer), or "name: word".
    // Empty and all-blank lines are blank; everything else is bad.
    static Record Parse(const std::string& line, bool tooLong = false);
    // The line as a message can show it: control characters and bytes that are
    // no UTF-8 become '?'.
    static CString Printable(const std::string& line);
    // A typed preset name may become a file name: not empty, and none of the
    // characters ".<>|" nor a folder separator.
    static bool IsValidName(const char* name);

private:
    std::string text;
    QFile in;
};
