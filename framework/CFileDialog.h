#pragma once
#include "CCmdTarget.h"
#include "CString.h"
#include <QStringList>
#include <functional>

class CWnd;

// What a file dialog was asked to show; handed to an installed answering handler.
struct FileDialogRequest {
    bool open; // open mode (title "Open"); save mode otherwise
    QString defaultExtension;
    QString fileName; // proposed name as given
    QString filter; // the filter string as given
    QString startFolder; // folder the dialog starts in ("" for the toolkit's choice)
    QStringList nameFilters; // the toolkit's filter list made from `filter`
};

// The toolkit's filter list for a filter string of "|"-separated pairs of a
// description and its patterns (";"-separated), ended by "||":
// "Binary Files (*.bin)|*.bin|All Files (*.*)|*.*||" gives "Binary Files (*.bin)"
// and "All Files (*)". Each entry shows the pair's own patterns, and "*.*" means
// every file, as it does where such strings come from. A string without "|" is
// one entry as it is.
QStringList fileDialogFilters(const QString& filter);

// Answers file dialogs instead of showing them (tests): fills `chosen` and returns
// IDOK or IDCANCEL. An empty handler restores the real dialog.
using FileDialogHandler = std::function<int(const FileDialogRequest& request, QStringList& chosen)>;
FileDialogHandler setFileDialogHandler(FileDialogHandler handler);

// The toolkit's open or save file dialog.
class CFileDialog : public CCmdTarget {
public:
    CFileDialog(BOOL open, const char* defaultExtension = nullptr, const char* fileName = nullptr,
        DWORD flags = 0, const char* filter = nullptr, CWnd* parent = nullptr);
    ~CFileDialog() override;

    // IDOK when a file was chosen, else IDCANCEL.
    virtual int DoModal();
    // The first chosen path, or "" when there is none.
    CString GetPathName() const;
    // The file name part of the first chosen path.
    CString GetFileName() const;
    FileDialogRequest request() const;

private:
    BOOL m_open;
    QString m_defaultExtension;
    QString m_fileName;
    DWORD m_flags;
    QString m_filter;
    CWnd* m_parent;
    QStringList m_chosen;
};
