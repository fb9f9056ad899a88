#include "PresetFile.h"

#include "IODesc.h"
#include "PresetLines.h"

#include <QSaveFile>
#include <QString>

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// White space as the C library counts it; a CR before the LF is white space.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The run of non-blank characters starting at i; i moves past it.
std::string_view word(const std::string& s, size_t& i)
{
    const size_t start = i;
    while (i < s.size() && !isBlank(s[i]))
        ++i;
    return std::string_view(s).substr(start, i - start);
}

void skipBlanks(const std::string& s, size_t& i)
{
    while (i < s.size() && isBlank(s[i]))
        ++i;
}

} // namespace

PresetFile::~PresetFile()
{
    Close();
}

void PresetFile::AddGain(long key, double dB)
{
    appendPresetGain(text, key, dB);
}

void PresetFile::AddValue(long key, int value)
{
    appendPresetValue(text, key, value);
}

void PresetFile::AddNode(const IODesc& node)
{
    AddNode(node, node.gain, node.value);
}

void PresetFile::AddNode(const IODesc& node, double dB, int value)
{
    appendPresetNode(text, node, dB, value);
}

BOOL PresetFile::Commit(const CString& path)
{
    if (path.IsEmpty())
        return FALSE;
    QSaveFile out(path.toQString());
    // Unbuffered: a buffered flush takes a short write (file size limit, full
    // disk) for success and would commit a cut file.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FALSE;
    const qint64 n = static_cast<qint64>(text.size());
    if (out.write(text.data(), n) != n || out.size() != n) {
        out.cancelWriting();
        return FALSE;
    }
    // commit() flushes, then renames the temporary file over path; on failure
    // it removes the temporary file and path keeps its old contents.
    return out.commit() ? TRUE : FALSE;
}

BOOL PresetFile::Open(const CString& path)
{
    Close();
    if (path.IsEmpty())
        return FALSE;
    in.setFileName(path.toQString());
    return in.open(QIODevice::ReadOnly) ? TRUE : FALSE;
}

bool PresetFile::IsPreset()
{
    if (!in.isOpen() || !in.seek(0))
        return false;
    // Every byte, also those of lines too long to be read whole.
    bool text = true;
    char buf[4096];
    qint64 n = 0;
    while (text && (n = in.read(buf, sizeof buf)) > 0)
        for (qint64 i = 0; i < n && text; ++i) {
            const auto u = static_cast<unsigned char>(buf[i]);
            text = (u >= 32 && u != 127) || isBlank(buf[i]);
        }
    bool record = false;
    std::string line;
    bool tooLong = false;
    if (text && in.seek(0))
        while (!record && ReadLine(line, tooLong)) {
            const Record::Kind k = Parse(line, tooLong).kind;
            record = k == Record::gainLine || k == Record::valueLine;
        }
    return in.seek(0) && text && record;
}

void PresetFile::Close()
{
    if (in.isOpen())
        in.close();
}

BOOL PresetFile::ReadLine(std::string& line, bool& tooLong)
{
    line.clear();
    tooLong = false;
    if (!in.isOpen())
        return FALSE;
    char c = 0;
    bool any = false;
    while (in.getChar(&c)) {
        any = true;
        if (c == '\n')
            return TRUE;
        if (static_cast<int>(line.size()) < maxLineLength)
            line += c;
        else
            tooLong = true;
    }
    return any ? TRUE : FALSE;
}

PresetFile::Record PresetFile::Parse(const std::string& line, bool tooLong)
{
    Record r;
    size_t i = 0;
    skipBlanks(line, i);
    if (i == line.size() && !tooLong)
        return r; // blank
    r.kind = Record::badLine;
    if (tooLong || line.size() > static_cast<size_t>(maxLineLength))
        return r;

    // "key word": the key is plain hexadecimal and fits the device's 32 bits.
    const std::string_view keyWord = word(line, i);
    bool hex = !keyWord.empty() && keyWord.size() <= static_cast<size_t>(maxWordLength);
    for (char c : keyWord)
        hex = hex && isHexDigit(c);
    if (hex) {
        unsigned long key = 0;
        auto kr = std::from_chars(keyWord.data(), keyWord.data() + keyWord.size(), key, 16);
        skipBlanks(line, i);
        const std::string_view valueWord = word(line, i);
        if (kr.ec != std::errc() || key > 0xFFFFFFFFul || valueWord.empty()
            || valueWord.size() > static_cast<size_t>(maxWordLength))
            return r;
        const char* first = valueWord.data();
        const char* last = first + valueWord.size();
        if (valueWord.find('.') != std::string_view::npos) {
            double dB = 0.0;
            auto vr = std::from_chars(first, last, dB);
            // The whole word must be the number; a gain float cannot hold is no gain.
            if (vr.ec != std::errc() || vr.ptr != last || !std::isfinite(static_cast<float>(dB)))
                return r;
            r.kind = Record::gainLine;
            r.gain = static_cast<float>(dB);
        } else {
            int v = 0;
            auto vr = std::from_chars(first, last, v);
            if (vr.ec != std::errc() || vr.ptr != last)
                return r;
            r.kind = Record::valueLine;
            r.value = v;
        }
        r.key = static_cast<long>(key);
        return r;
    }

    // "name: word", as written by other tools; ignored.
    static constexpr char tag[] = "name:";
    constexpr size_t tagLength = sizeof tag - 1;
    if (line.compare(0, tagLength, tag) == 0) {
        size_t j = tagLength;
        skipBlanks(line, j);
        if (j < line.size())
            r.kind = Record::nameLine;
    }
    return r;
}

CString PresetFile::Printable(const std::string& line)
{
    std::string shown = line;
    while (!shown.empty() && (shown.back() == '\r' || shown.back() == '\n'))
        shown.pop_back();
    // Decoding turns every byte that is no UTF-8 into a replacement character.
    QString text = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
    for (QChar& c : text)
        if ((c.unicode() < 32 && c != u'\t') || c.unicode() == 127
            || c == QChar::ReplacementCharacter)
            c = u'?';
    return CString(text);
}

bool PresetFile::IsValidName(const char* name)
{
    if (!name || !*name)
        return false;
    // The name becomes "<name>.rut" in the model folder: a '.' would change its
    // extension, "<>|" are refused by other file systems, '/' and '\' would lead
    // out of the folder.
    return std::strpbrk(name, ".<>|/\\") == nullptr;
}
