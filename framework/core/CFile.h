#pragma once
#include "CString.h"
#include "CTime.h"
#include <QFile>

// What CFile::GetStatus reports of a file.
struct CFileStatus {
    CTime m_ctime; // last status change (creation where the system keeps it)
    CTime m_mtime; // last write
    CTime m_atime; // last read
    qint64 m_size = 0;
    CString m_szFullName;
};

// A byte stream on a disk file. Writes are unbuffered, so a failed write is reported by
// the Write call itself and never hidden until Close. Paths are taken as CString so names
// outside the 8-bit character set reach the file system intact.
class CFile {
public:
    enum OpenFlags : UINT {
        fmRead = 0x4,
        fmWrite = 0x8, // creates or truncates
        // Other bits callers pass (0x1, 0x80, 0x100) have no effect.
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    CFile(const CString& path, UINT flags); // opens at once; check IsOpen()
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    // fmRead: read-only; fmWrite: write-only, created or truncated; both: read-write
    // (created when missing, not truncated). Neither: fails. TRUE on success.
    BOOL Open(const CString& path, UINT flags, void* exception = nullptr);
    BOOL IsOpen() const { return m_file.isOpen(); }
    int Read(void* buffer, int n); // bytes read, -1 on error
    int Write(const void* buffer, int n); // bytes written, -1 on error
    // from 0 = start, 1 = current position, 2 = end; the new position, or -1 when the
    // move failed (the position is then unchanged).
    qint64 Seek(qint64 offset, UINT from);
    qint64 GetLength() const;
    qint64 GetPosition() const;
    CString GetFilePath() const; // absolute path
    CString GetFileName() const; // name part
    BOOL GetStatus(CFileStatus& status) const;
    // TRUE when path can be opened for reading; fills status then.
    static BOOL GetStatus(const CString& path, CFileStatus& status);
    static BOOL Remove(const CString& path);
    static BOOL Rename(const CString& oldPath, const CString& newPath);
    // FALSE when the file was not open or its last data could not be written.
    BOOL Close();

private:
    QFile m_file;
    bool m_writeFailed = false;
};
