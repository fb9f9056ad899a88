#include "CFile.h"
#include <QFileInfo>

namespace {

void fillStatus(const QFileInfo& info, CFileStatus& status)
{
    status.m_ctime = CTime(info.metadataChangeTime());
    status.m_mtime = CTime(info.lastModified());
    status.m_atime = CTime(info.lastRead());
    status.m_size = info.size();
    status.m_szFullName = CString(info.absoluteFilePath());
}

} // namespace

CFile::CFile(const CString& path, UINT flags)
{
    Open(path, flags);
}

CFile::~CFile()
{
    Close();
}

BOOL CFile::Open(const CString& path, UINT flags, void*)
{
    Close();
    m_file.setFileName(QString());
    QIODevice::OpenMode mode;
    const bool read = flags & fmRead;
    const bool write = flags & fmWrite;
    if (read && write) {
        mode = QIODevice::ReadWrite;
    } else if (read) {
        mode = QIODevice::ReadOnly;
    } else if (write) {
        mode = QIODevice::WriteOnly | QIODevice::Truncate;
    } else {
        return FALSE;
    }
    if (path.IsEmpty()) {
        return FALSE;
    }
    m_file.setFileName(path.toQString());
    return m_file.open(mode | QIODevice::Unbuffered) ? TRUE : FALSE;
}

int CFile::Read(void* buffer, int n)
{
    if (!m_file.isOpen() || !buffer || n < 0) {
        return -1;
    }
    return static_cast<int>(m_file.read(static_cast<char*>(buffer), n));
}

int CFile::Write(const void* buffer, int n)
{
    if (!m_file.isOpen() || (!buffer && n > 0) || n < 0) {
        return -1;
    }
    if (n == 0) {
        return 0;
    }
    const qint64 written = m_file.write(static_cast<const char*>(buffer), n);
    // A short write (disk full) is a failure too: the caller asked for all n bytes.
    if (written != n) {
        m_writeFailed = true;
        return -1;
    }
    return n;
}

qint64 CFile::Seek(qint64 offset, UINT from)
{
    if (!m_file.isOpen()) {
        return -1;
    }
    qint64 base = 0;
    switch (from) {
    case begin:
        base = 0;
        break;
    case current:
        base = m_file.pos();
        break;
    case end:
        base = m_file.size();
        break;
    default:
        return -1;
    }
    const qint64 target = base + offset;
    if (target < 0 || !m_file.seek(target)) {
        return -1;
    }
    return m_file.pos();
}

qint64 CFile::GetLength() const
{
    return m_file.isOpen() ? m_file.size() : 0;
}

qint64 CFile::GetPosition() const
{
    return m_file.isOpen() ? m_file.pos() : 0;
}

CString CFile::GetFilePath() const
{
    return m_file.fileName().isEmpty() ? CString()
                                       : CString(QFileInfo(m_file.fileName()).absoluteFilePath());
}

CString CFile::GetFileName() const
{
    return CString(QFileInfo(m_file.fileName()).fileName());
}

BOOL CFile::GetStatus(CFileStatus& status) const
{
    if (m_file.fileName().isEmpty()) {
        return FALSE;
    }
    QFileInfo info(m_file.fileName());
    if (!info.exists()) {
        return FALSE;
    }
    fillStatus(info, status);
    return TRUE;
}

BOOL CFile::GetStatus(const CString& path, CFileStatus& status)
{
    if (path.IsEmpty()) {
        return FALSE;
    }
    QFile f(path.toQString());
    // A folder opens for reading on this platform but is not a file.
    if (QFileInfo(f.fileName()).isDir() || !f.open(QIODevice::ReadOnly)) {
        return FALSE;
    }
    f.close();
    fillStatus(QFileInfo(f.fileName()), status);
    return TRUE;
}

BOOL CFile::Remove(const CString& path)
{
    return !path.IsEmpty() && QFile::remove(path.toQString()) ? TRUE : FALSE;
}

BOOL CFile::Rename(const CString& oldPath, const CString& newPath)
{
    if (oldPath.IsEmpty() || newPath.IsEmpty()) {
        return FALSE;
    }
    return QFile::rename(oldPath.toQString(), newPath.toQString()) ? TRUE : FALSE;
}

BOOL CFile::Close()
{
    if (!m_file.isOpen()) {
        return FALSE;
    }
    m_file.unsetError();
    m_file.close();
    const bool ok = !m_writeFailed && m_file.error() == QFileDevice::NoError;
    m_writeFailed = false;
    return ok ? TRUE : FALSE;
}
