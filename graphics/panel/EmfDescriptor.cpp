#include "EmfDescriptor.h"

#include "CString.h"
#include "MessageBoxHook.h"
#include "ScaleMath.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <sys/stat.h>

namespace {

// Reads records the way the pattern "%s %d,%d,%d,%d" of formatted input
// does, but with a bounded keyword: a record that breaks off keeps the
// fields read so far, and reading goes on at the first unread character.
class RecordReader {
public:
    explicit RecordReader(std::FILE* f)
        : file(f)
    {
    }

    // Fields converted (0..5) for the next record; -1 at end of file before
    // a keyword. Fields not converted keep their previous values.
    int next(char* keyword, int& length, bool& tooLong, int fields[4])
    {
        skipBlanks();
        int c = std::getc(file);
        if (c == EOF)
            return -1;
        int n = 0;
        tooLong = false;
        while (c != EOF && !std::isspace(c)) {
            if (n < EmfDescriptor::keywordLimit)
                keyword[n++] = char(c);
            else
                tooLong = true;
            c = std::getc(file);
        }
        keyword[n] = 0;
        length = n;
        if (c != EOF)
            std::ungetc(c, file);
        int got = 1;
        for (int i = 0; i < 4; ++i) {
            if (i > 0) {
                int comma = std::getc(file);
                if (comma != ',') {
                    if (comma != EOF)
                        std::ungetc(comma, file);
                    return got;
                }
            }
            if (!readInt(fields[i]))
                return got;
            ++got;
        }
        return got;
    }

private:
    void skipBlanks()
    {
        int c;
        while ((c = std::getc(file)) != EOF && std::isspace(c)) { }
        if (c != EOF)
            std::ungetc(c, file);
    }

    // A decimal integer after optional blanks and sign; values beyond int
    // are clamped. False, with the offending character left unread, when
    // there are no digits.
    bool readInt(int& out)
    {
        skipBlanks();
        int c = std::getc(file);
        bool negative = false;
        if (c == '+' || c == '-') {
            negative = c == '-';
            c = std::getc(file);
        }
        if (c == EOF || !std::isdigit(c)) {
            if (c != EOF)
                std::ungetc(c, file);
            return false;
        }
        std::int64_t v = 0;
        while (c != EOF && std::isdigit(c)) {
            if (v <= std::int64_t(1) << 40)
                v = v * 10 + (c - '0');
            c = std::getc(file);
        }
        if (c != EOF)
            std::ungetc(c, file);
        out = clampToInt(negative ? -v : v);
        return true;
    }

    std::FILE* file;
};

// A description must be a readable file: opening a folder succeeds on some
// systems but reads nothing.
std::FILE* openText(const char* path)
{
    if (!path)
        return nullptr;
    std::FILE* f = std::fopen(path, "r");
    if (!f)
        return nullptr;
    struct stat st;
    if (fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(f);
        return nullptr;
    }
    return f;
}

} // namespace

BOOL EmfDescriptor::Load(const char* path, void* context)
{
    DeleteAll();
    std::FILE* f = openText(path);
    if (!f) {
        FrameworkMessageBox(nullptr, QString("Cannot load file: ") + textToQString(path),
            "loading EMF txt", MB_OK | MB_ICONWARNING);
        return FALSE;
    }
    buttonCount = 0;
    ledCount = 0;
    largestLed = 0;
    scale = 0;

    RecordReader reader(f);
    char keyword[keywordLimit + 1];
    int fields[4] = { 0, 0, 0, 0 };
    int length = 0;
    bool tooLong = false;
    while (reader.next(keyword, length, tooLong, fields) >= 0) {
        CRect r(fields[0], fields[1], fields[2], fields[3]);
        ScaleRect(r);
        // A word cut at the buffer, or holding a zero byte, names no keyword.
        if (!tooLong && std::strlen(keyword) == size_t(length))
            dispatch(keyword, r, context);
    }
    std::fclose(f);
    return TRUE;
}

void EmfDescriptor::dispatch(const char* keyword, const CRect& r, void* context)
{
    if (std::strcmp(keyword, "OUTLINE") == 0) {
        outline = r;
        OutlineProcess(r, context);
    } else if (std::strcmp(keyword, "BUTTON") == 0) {
        ButtonProcess(r, context);
        ++buttonCount;
    } else if (std::strcmp(keyword, "LED") == 0) {
        std::int64_t w = std::int64_t(r.right) - r.left;
        std::int64_t h = std::int64_t(r.bottom) - r.top;
        largestLed = std::max(largestLed, clampToInt(std::max(w, h)));
        LedProcess(r, context);
        ++ledCount;
    } else if (std::strcmp(keyword, "SCREEN") == 0) {
        ScreenProcess(r, context);
    } else if (std::strcmp(keyword, "WHEEL") == 0) {
        WheelProcess(r, context);
    }
}

void EmfDescriptor::ScaleRect(CRect& r) const
{
    if (scale == 0)
        return;
    r.left = truncToInt(r.left * scale);
    r.top = truncToInt(r.top * scale);
    r.right = truncToInt(r.right * scale);
    r.bottom = truncToInt(r.bottom * scale);
}
