#include "CFileDialog.h"
#include "CWnd.h"
#include "MessageBoxQt.h"
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

QStringList fileDialogFilters(const QString& filter)
{
    if (!filter.contains(QLatin1Char('|')))
        return filter.trimmed().isEmpty() ? QStringList() : QStringList { filter.trimmed() };
    QStringList entries;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        if (description.isEmpty())
            break; // "||" ends the list
        QStringList patterns;
        for (QString p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            p = p.trimmed();
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*"); // names without a '.' too
            if (!p.isEmpty())
                patterns << p;
        }
        if (patterns.isEmpty())
            continue;
        // The toolkit takes the patterns from the parentheses: put the pair's own there.
        const qsizetype paren = description.indexOf(QLatin1Char('('));
        if (paren > 0)
            description = description.left(paren).trimmed();
        entries << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
                + QLatin1Char(')');
    }
    return entries;
}

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
    FileDialogRequest r { m_open != FALSE, m_defaultExtension, m_fileName, m_filter, QString(),
        fileDialogFilters(m_filter) };
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
        QFileDialog dlg(messageBoxOwner(m_parent ? m_parent->GetWidget() : nullptr));
        dlg.setAcceptMode(req.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dlg.setFileMode(req.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (req.open)
            dlg.setWindowTitle(QStringLiteral("Open"));
        if (!req.nameFilters.isEmpty())
            dlg.setNameFilters(req.nameFilters);
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
