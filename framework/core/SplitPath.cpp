#include "SplitPath.h"
#include <cstdio>
#include <cstring>

namespace {

void copyBounded(char* out, int size, const CString& s)
{
    if (!out) {
        return;
    }
    const char* bytes = s;
    std::snprintf(out, static_cast<size_t>(size), "%s", bytes);
}

const char* orEmpty(const char* s)
{
    return s ? s : "";
}

} // namespace

void splitPathText(const CString& path, CString& dir, CString& fname, CString& ext)
{
    const QString& p = path.toQString();
    const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
    QString name;
    if (slash < 0) {
        dir = ".";
        name = p;
    } else {
        QString folder = p.left(slash);
        while (folder.endsWith(QLatin1Char('/'))) {
            folder.chop(1);
        }
        dir = CString(folder);
        name = p.mid(slash + 1);
    }
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        fname = CString(name);
        ext.Empty();
    } else {
        fname = CString(name.left(dot));
        ext = CString(name.mid(dot + 1));
    }
}

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext)
{
    CString d, f, e;
    splitPathText(CString(path), d, f, e);
    if (drive) {
        drive[0] = 0;
    }
    copyBounded(dir, _MAX_DIR, d);
    copyBounded(fname, _MAX_FNAME, f);
    copyBounded(ext, _MAX_EXT, e);
}

void _makepath(char* out, const char* drive, const char* dir, const char* fname, const char* ext)
{
    if (!out) {
        return;
    }
    std::snprintf(
        out, _MAX_PATH, "%s%s/%s.%s", orEmpty(drive), orEmpty(dir), orEmpty(fname), orEmpty(ext));
}

CString FilePart(const char* s)
{
    CString r(s);
    const int dot = r.ReverseFind('.');
    if (dot >= 0) {
        r.SetAt(dot, '_');
    }
    const int sep = r.ReverseFind('\\');
    return sep >= 0 ? r.Mid(sep + 1) : r;
}

SplitPath::SplitPath(const char* path)
{
    _splitpath(path, drive, dir, fname, ext);
}

void SplitPath::MakePath(char* out) const
{
    _makepath(out, drive, dir, fname, ext);
}

CString SplitPath::MakePath() const
{
    char out[_MAX_PATH];
    MakePath(out);
    return CString(out);
}
