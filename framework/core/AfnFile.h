#pragma once
#include "CString.h"
#include <QSet>
#include <QString>

// Walks the files matching a path pattern (a folder followed by a name pattern with
// wildcards), optionally through every sub-folder, handing each to ProcessFile.
class AfnFile {
public:
    enum Flags : int { kRecurse = 1 };

    AfnFile() = default;
    AfnFile(const AfnFile&) = delete;
    AfnFile& operator=(const AfnFile&) = delete;
    virtual ~AfnFile();

    // Visits the matching files (hidden ones included; with kRecurse also every sub-folder,
    // whatever its name). The first non-zero result of ProcessFile stops the walk and is
    // returned; 0 when every call returned 0 or the folder does not exist.
    int Process(const CString& pattern, int flags);

protected:
    // Called with the full path of each matching file; non-zero stops the walk.
    virtual int ProcessFile(const CString& path) = 0;

private:
    int walk(const CString& pattern, int flags);

    int m_depth = 0;
    QSet<QString> m_visited; // canonical folders of the current walk, so linked loops end
};
