#include "CString.h"
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

QString fromBytes(const char* s, int n = -1)
{
    return textToQString(s, n);
}

bool inSet(QChar ch, const char* set)
{
    if (!set) {
        return false;
    }
    for (const char* p = set; *p; ++p) {
        if (ch == QLatin1Char(*p)) {
            return true;
        }
    }
    return false;
}

} // namespace

QString textToQString(const char* s, int n)
{
    if (!s) {
        return QString();
    }
    if (n < 0) {
        return QString::fromUtf8(s);
    }
    // Never read past the terminating zero, even when n says more.
    return QString::fromUtf8(s, static_cast<qsizetype>(strnlen(s, static_cast<size_t>(n))));
}

QByteArray qStringToText(const QString& s)
{
    return s.toUtf8();
}

CString::CString(const char* s, int n)
    : m_str(fromBytes(s, n))
{
}

CString::CString(char c)
    : m_str(QLatin1Char(c))
{
}

CString::CString(const QString& s)
    : m_str(s)
{
}

CString::CString(const CString& other)
    : CObject(other)
    , m_str(other.m_str)
{
}

CString& CString::operator=(const CString& other)
{
    m_str = other.m_str;
    return *this;
}

CString& CString::operator=(const char* s)
{
    m_str = fromBytes(s);
    return *this;
}

CString& CString::operator=(const QString& s)
{
    m_str = s;
    return *this;
}

CString::~CString() = default;

CString::operator const char*() const
{
    m_bytes = qStringToText(m_str);
    return m_bytes.constData();
}

char CString::GetAt(int i) const
{
    if (i < 0 || i >= GetLength()) {
        return 0;
    }
    return QChar(m_str.at(i)).toLatin1();
}

void CString::SetAt(int i, char c)
{
    if (i >= 0 && i < GetLength()) {
        m_str[i] = QLatin1Char(c);
    }
}

int CString::Find(char c, int start) const
{
    if (start < 0) {
        start = 0;
    }
    if (start >= GetLength()) {
        return -1;
    }
    return static_cast<int>(m_str.indexOf(QLatin1Char(c), start, Qt::CaseSensitive));
}

int CString::Find(const char* sub, int start) const
{
    if (!sub) {
        return -1;
    }
    if (start < 0) {
        start = 0;
    }
    if (start > GetLength()) {
        return -1;
    }
    return static_cast<int>(m_str.indexOf(fromBytes(sub), start, Qt::CaseSensitive));
}

int CString::ReverseFind(char c) const
{
    return static_cast<int>(m_str.lastIndexOf(QLatin1Char(c)));
}

int CString::FindOneOf(const char* set) const
{
    for (int i = 0; i < GetLength(); ++i) {
        if (inSet(m_str.at(i), set)) {
            return i;
        }
    }
    return -1;
}

CString CString::Left(int n) const
{
    return n <= 0 ? CString() : CString(m_str.left(n));
}

CString CString::Right(int n) const
{
    return n <= 0 ? CString() : CString(m_str.right(n));
}

CString CString::Mid(int first, int n) const
{
    if (first < 0) {
        first = 0;
    }
    if (first >= GetLength()) {
        return CString();
    }
    if (n < 0) {
        return CString(m_str.mid(first));
    }
    return CString(m_str.mid(first, n));
}

int CString::Replace(char from, char to)
{
    m_str.replace(QLatin1Char(from), QLatin1Char(to), Qt::CaseSensitive);
    return 0;
}

int CString::Replace(const char* from, const char* to)
{
    const QString f = fromBytes(from);
    if (!f.isEmpty()) {
        m_str.replace(f, fromBytes(to), Qt::CaseSensitive);
    }
    return 0;
}

int CString::Remove(char c)
{
    const int before = GetLength();
    m_str.remove(QLatin1Char(c), Qt::CaseSensitive);
    return before - GetLength();
}

CString& CString::MakeUpper()
{
    m_str = m_str.toUpper();
    return *this;
}

CString& CString::MakeLower()
{
    m_str = m_str.toLower();
    return *this;
}

int CString::Compare(const char* s) const
{
    return QString::compare(m_str, fromBytes(s), Qt::CaseSensitive);
}

int CString::CompareNoCase(const char* s) const
{
    return QString::compare(m_str, fromBytes(s), Qt::CaseInsensitive);
}

CString& CString::TrimLeft()
{
    qsizetype i = 0;
    while (i < m_str.size() && m_str.at(i).unicode() <= 32) {
        ++i;
    }
    m_str.remove(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    qsizetype n = m_str.size();
    while (n > 0 && m_str.at(n - 1).unicode() <= 32) {
        --n;
    }
    m_str.truncate(n);
    return *this;
}

CString& CString::TrimLeft(char c)
{
    const char set[2] = { c, 0 };
    return c ? TrimLeft(set) : *this;
}

CString& CString::TrimRight(char c)
{
    const char set[2] = { c, 0 };
    return c ? TrimRight(set) : *this;
}

CString& CString::TrimLeft(const char* set)
{
    qsizetype i = 0;
    while (i < m_str.size() && inSet(m_str.at(i), set)) {
        ++i;
    }
    m_str.remove(0, i);
    return *this;
}

CString& CString::TrimRight(const char* set)
{
    qsizetype n = m_str.size();
    while (n > 0 && inSet(m_str.at(n - 1), set)) {
        --n;
    }
    m_str.truncate(n);
    return *this;
}

void CString::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
}

void CString::FormatV(const char* fmt, va_list args)
{
    if (!fmt) {
        m_str.clear();
        return;
    }
    // Measure first, then format into a buffer of exactly that size (capped), so no
    // result is ever cut short by a fixed buffer and nothing is written past one.
    va_list measure;
    va_copy(measure, args);
    const int needed = std::vsnprintf(nullptr, 0, fmt, measure);
    va_end(measure);
    if (needed < 0) {
        // A width or precision past INT_MAX: nothing sensible can be produced.
        m_str.clear();
        return;
    }
    const int size = (needed > kFormatLimit ? kFormatLimit : needed) + 1;
    std::vector<char> buf(static_cast<size_t>(size));
    std::vsnprintf(buf.data(), buf.size(), fmt, args);
    // The text may hold zero bytes (from %c with 0); keep what was formatted up to the limit.
    // A zero byte ends the text here; a cut in the middle of a UTF-8 sequence
    // drops that character.
    m_str = textToQString(buf.data(), size - 1);
}

BOOL CString::LoadString(UINT id)
{
    // The only string resource the application carries: the default font face.
    if (id == 103) {
        m_str = QStringLiteral("Arial");
        return TRUE;
    }
    return FALSE;
}

CString& CString::operator+=(const CString& s)
{
    m_str += s.m_str;
    return *this;
}

CString& CString::operator+=(const char* s)
{
    m_str += fromBytes(s);
    return *this;
}

CString& CString::operator+=(char c)
{
    m_str += QLatin1Char(c);
    return *this;
}

CString operator+(const CString& a, const CString& b)
{
    return CString(a.toQString() + b.toQString());
}

CString operator+(const CString& a, const char* b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const char* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, char b)
{
    CString r(a);
    r += b;
    return r;
}

bool operator==(const CString& a, const CString& b)
{
    return a.toQString() == b.toQString();
}

bool operator==(const CString& a, const char* b)
{
    return a.Compare(b) == 0;
}

bool operator==(const char* a, const CString& b)
{
    return b.Compare(a) == 0;
}

bool operator!=(const CString& a, const CString& b)
{
    return !(a == b);
}

bool operator!=(const CString& a, const char* b)
{
    return !(a == b);
}

bool operator!=(const char* a, const CString& b)
{
    return !(b == a);
}

bool operator<(const CString& a, const CString& b)
{
    return a.toQString() < b.toQString();
}
