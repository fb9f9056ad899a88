#include "AfnFile.h"
#include "SplitPath.h"
#include <QDir>
#include <QFileInfo>

AfnFile::~AfnFile() = default;

int AfnFile::Process(const CString& pattern, int flags)
{
    if (m_depth == 0) {
        m_visited.clear();
    }
    ++m_depth;
    const int result = walk(pattern, flags);
    --m_depth;
    if (m_depth == 0) {
        m_visited.clear();
    }
    return result;
}

int AfnFile::walk(const CString& pattern, int flags)
{
    CString folder, fname, ext;
    splitPathText(pattern, folder, fname, ext);
    CString filter = fname;
    if (!ext.IsEmpty()) {
        filter += ".";
        filter += ext;
    }
    // A pattern right under the root splits into an empty folder.
    const QString listed = folder.IsEmpty() && pattern.toQString().startsWith(QLatin1Char('/'))
        ? QStringLiteral("/")
        : folder.toQString();
    QDir dir(listed);
    if (!dir.exists()) {
        return 0;
    }
    // A symbolic link may lead back to a folder already being walked; visit each once.
    const QString canonical = dir.canonicalPath();
    if (m_visited.contains(canonical)) {
        return 0;
    }
    m_visited.insert(canonical);

    const QFileInfoList files = dir.entryInfoList(QStringList { filter.toQString() },
        QDir::Files | QDir::Hidden | QDir::CaseSensitive, QDir::NoSort);
    for (const QFileInfo& f : files) {
        const int r = ProcessFile(CString(folder.toQString() + QLatin1Char('/') + f.fileName()));
        if (r != 0) {
            return r;
        }
    }
    if (flags & kRecurse) {
        const QFileInfoList subs
            = dir.entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort);
        for (const QFileInfo& d : subs) {
            const QString sub = folder.toQString() + QLatin1Char('/') + d.fileName()
                + QLatin1Char('/') + filter.toQString();
            const int r = Process(CString(sub), flags);
            if (r != 0) {
                return r;
            }
        }
    }
    return 0;
}
