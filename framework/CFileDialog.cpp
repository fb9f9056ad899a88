#include "CFileDialog.h"
#include "CWnd.h"
#include <QFileDialog>
#include <QFileInfo>
#include <utility>

namespace {
FileDialogHandler& handlerSlot()
{
    static FileDialogHandler handler;
    return handler;
}
} // namespace

FileDialogHandler setFileDialogHandler(FileDialogHandler handler)
{
    return std::exchange(handlerSlot(), std::move(handler));
}

CFileDialog::CFileDialog(BOOL open, const char* defaultExtension, const char* fileName, DWORD flags,
    const char* filter, CWnd* parent)
    : m_open(open)
    , m_defaultExtension(textToQString(defaultExtension))
    , m_fileName(textToQString(fileName))
    , m_flags(flags)
    , m_filter(textToQString(filter))
    , m_parent(parent)
{
}

CFileDialog::~CFileDialog() = default;

FileDialogRequest CFileDialog::request() const
{
    FileDialogRequest r { m_open != FALSE, m_defaultExtension, m_fileName, m_filter, QString() };
    if (!m_fileName.isEmpty()) {
        QFileInfo info(m_fileName);
        if (info.isDir())
            r.startFolder = info.absoluteFilePath();
        else if (info.exists())
            r.startFolder = info.absolutePath();
    }
    return r;
}

int CFileDialog::DoModal()
{
    m_chosen.clear();
    const FileDialogRequest req = request();
    int result = IDCANCEL;
    if (const FileDialogHandler& handler = handlerSlot()) {
        result = handler(req, m_chosen);
    } else {
        QFileDialog dlg(m_parent ? m_parent->GetWidget() : nullptr);
        dlg.setAcceptMode(req.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dlg.setFileMode(req.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (req.open)
            dlg.setWindowTitle(QStringLiteral("Open"));
        if (!req.filter.isEmpty())
            dlg.setNameFilter(req.filter);
        if (!req.startFolder.isEmpty())
            dlg.setDirectory(req.startFolder);
        if (!m_fileName.isEmpty() && !QFileInfo(m_fileName).isDir())
            dlg.selectFile(m_fileName);
        if (!req.defaultExtension.isEmpty())
            dlg.setDefaultSuffix(req.defaultExtension);
        if (dlg.exec() == QDialog::Accepted) {
            m_chosen = dlg.selectedFiles();
            result = IDOK;
        }
    }
    if (result != static_cast<int>(IDOK)) {
        m_chosen.clear();
        return IDCANCEL;
    }
    // Names typed without an extension get the default one.
    if (!m_defaultExtension.isEmpty()) {
        for (QString& path : m_chosen) {
            QFileInfo info(path);
            if (info.suffix().isEmpty() && !info.isDir())
                path += QLatin1Char('.') + m_defaultExtension;
        }
    }
    return m_chosen.isEmpty() ? static_cast<int>(IDCANCEL) : static_cast<int>(IDOK);
}

CString CFileDialog::GetPathName() const
{
    return m_chosen.isEmpty() ? CString() : CString(m_chosen.front());
}

CString CFileDialog::GetFileName() const
{
    return m_chosen.isEmpty() ? CString() : CString(QFileInfo(m_chosen.front()).fileName());
}
