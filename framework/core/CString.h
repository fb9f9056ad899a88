#pragma once
#include "CObject.h"
#include <QByteArray>
#include <QString>
#include <concepts>
#include <cstdarg>

// The framework's 8-bit text is UTF-8. These two are the only passages between
// it and the toolkit's text; every C string, CString and file name goes through
// them. Null gives an empty text; n < 0 takes all up to the terminating zero, and
// a larger n never reads past it.
QString textToQString(const char* s, int n = -1);
QByteArray qStringToText(const QString& s);

// The framework's text value: a QString plus an 8-bit (UTF-8) copy that serves
// `operator const char*`. Single-character operations (GetAt, SetAt, Find(char),
// ...) address characters and are meant for ASCII.
class CString : public CObject {
public:
    // Longest text Format produces; longer results are cut to this many characters.
    static constexpr int kFormatLimit = 65535;

    CString() = default;
    CString(const char* s, int n = -1); // first n characters, n = -1 for all; null gives ""
    CString(char c);
    CString(const QString& s);
    CString(const CString& other);
    CString& operator=(const CString& other);
    CString& operator=(const char* s);
    CString& operator=(const QString& s);
    ~CString() override;

    // The 8-bit copy; rebuilt on every call, valid until the next conversion of this
    // string or its destruction.
    operator const char*() const;
    const QString& toQString() const { return m_str; }

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.isEmpty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int i) const;
    template <std::integral I> char operator[](I i) const { return GetAt(static_cast<int>(i)); }
    void SetAt(int i, char c); // out-of-range indexes are ignored

    int Find(char c, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char c) const;
    int FindOneOf(const char* set) const;

    CString Left(int n) const;
    CString Right(int n) const;
    CString Mid(int first, int n = -1) const;

    int Replace(char from, char to); // returns 0, not a count
    int Replace(const char* from, const char* to); // returns 0, not a count
    int Remove(char c); // returns the number removed

    CString& MakeUpper();
    CString& MakeLower();
    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;

    CString& TrimLeft(); // characters with codes up to 32
    CString& TrimRight();
    CString& TrimLeft(char c);
    CString& TrimRight(char c);
    CString& TrimLeft(const char* set);
    CString& TrimRight(const char* set);

    // printf-style formatting; the result is at most kFormatLimit characters.
    void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* fmt, va_list args);
    BOOL LoadString(UINT id);

    CString& operator+=(const CString& s);
    CString& operator+=(const char* s);
    CString& operator+=(char c);

    CString GetText() const override { return *this; }

private:
    QString m_str;
    mutable QByteArray m_bytes;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
