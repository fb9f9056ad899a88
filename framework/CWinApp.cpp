#include "CWinApp.h"
#include "AppFolders.h"
#include "CWnd.h"
#include "ProfileStore.h"
#include "SettingsStore.h"
#include <QApplication>
#include <QCursor>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

CWinApp* theApp = nullptr;

namespace {
int g_waitCount = 0;
}

Q_BEGIN_ROOT_MESSAGE_MAP(CWinApp)
Q_ON_COMMAND(ID_FILE_NEW, OnFileNew)
Q_ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
Q_ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
Q_ON_COMMAND(ID_FILE_SAVE, OnFileSave)
Q_ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
Q_ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
Q_ON_COMMAND(ID_APP_EXIT, OnExit)
Q_END_MESSAGE_MAP()

CWinApp::CWinApp(int argc, char** argv)
    : m_argc(argc)
    , m_argv(argv)
{
    if (!QCoreApplication::instance())
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    theApp = this;

    QString program = (m_argc > 0 && m_argv && m_argv[0]) ? textToQString(m_argv[0]) : QString();
    if (program.isEmpty())
        program = QCoreApplication::applicationFilePath();
    const QString name = appNameFromProgramPath(program);
    QCoreApplication::setApplicationName(name);
    m_appName = CString(name);

    // The Linux counterpart of "/Library/Application Support/<app>": <app> in the
    // system data folder settingsPath is built on.
    m_supportFolder = CString(supportDataFolder(name) + QLatin1Char('/') + name);
    m_iniPath = CString(iniFilePath(name));
    openSettings();
    applyStyle();
}

CWinApp::~CWinApp()
{
    if (GetProfileStore() == m_settings.get())
        SetProfileStore(nullptr);
    if (m_settings)
        syncSettingsStore(*m_settings); // a store that cannot be written says so
    m_settings.reset();
    m_documents.RemoveAll();
    if (theApp == this)
        theApp = nullptr;
    // m_app, declared first, goes last.
}

void CWinApp::openSettings()
{
    m_settings = openSettingsStore(m_appName.toQString());
    m_usesIni = m_settings->format() == QSettings::IniFormat ? TRUE : FALSE;
    SetProfileStore(m_settings.get());
}

const char* CWinApp::styleNameFor(int style)
{
    switch (style) {
    case 2:
        return "Windows";
    case 4:
        return "Macintosh";
    case 5:
        return "Cleanlooks";
    case 6:
        return "Plastique";
    case 7:
        return "CDE";
    case 8:
        return "Motif";
    default:
        return nullptr;
    }
}

void CWinApp::applyStyle()
{
    const char* name = styleNameFor(GetAppStyle());
    if (!name)
        return;
    // Styles this toolkit version lacks keep the platform style.
    if (QStyle* s = QStyleFactory::create(textToQString(name)))
        QApplication::setStyle(s);
}

void CWinApp::WinHelp(DWORD, UINT) { }

CDocument* CWinApp::OpenDocumentFile(const CString&)
{
    // The main frame class supplies no document, so there is nothing to open.
    return nullptr;
}

int CWinApp::AddView(void*)
{
    return 0;
}

BOOL CWinApp::InitInstance()
{
    if (m_argc <= 1) {
        OpenDocumentFile(CString());
    } else {
        for (int i = 1; i < m_argc; ++i)
            OpenDocumentFile(CString(textToQString(m_argv[i])));
    }
    return TRUE;
}

void CWinApp::AddToRecentFileList(const char*) { }

void CWinApp::DoWaitCursor(int n)
{
    if (n == 1)
        ++g_waitCount;
    else if (n == -1 && g_waitCount > 0)
        --g_waitCount; // an unmatched release must not cancel a later wait
    QWidget* w = m_pMainWnd ? m_pMainWnd->GetWidget() : nullptr;
    if (!w)
        return;
    w->setCursor((g_waitCount > 0 || n == 0) ? Qt::WaitCursor : Qt::ArrowCursor);
}

bool CWinApp::notify(QObject* receiver, QEvent* event)
{
    QCoreApplication* app = QCoreApplication::instance();
    return app ? app->notify(receiver, event) : false;
}

void CWinApp::NotifyViewDeletion(void*) { }

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* def)
{
    return ::GetProfileString(section, entry, def);
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    return ::WriteProfileString(section, entry, value);
}

int CWinApp::GetProfileInt(const char* section, const char* entry, int def)
{
    return ::GetProfileInt(section, entry, def);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    return ::WriteProfileInt(section, entry, value);
}

int CWinApp::GetAppStyle()
{
    return GetProfileInt("Main", "Style", DefaultStyle());
}

void CWinApp::SetAppStyle(int style)
{
    WriteProfileInt("Main", "Style", style);
}

QString CWinApp::tr(const char* text, const char* comment, int n) const
{
    return QCoreApplication::translate("QApplication", text, comment, n);
}

void CWinApp::OnFileNew()
{
    OpenDocumentFile(CString());
}

void CWinApp::OnFileOpen()
{
    OpenDocumentFile(CString());
}
