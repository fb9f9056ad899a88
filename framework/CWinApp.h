#pragma once
#include "CCmdTarget.h"
#include "CObList.h"
#include "CString.h"
#include "FrameworkTypes.h"
#include <QString>
#include <memory>

class CWnd;
class CDocument;
class QApplication;
class QEvent;
class QObject;
class QSettings;

// Document command ids the application map binds (the document layer is unused).
constexpr UINT ID_FILE_NEW = 0xE100;
constexpr UINT ID_FILE_OPEN = 0xE101;
constexpr UINT ID_FILE_CLOSE = 0xE102;
constexpr UINT ID_FILE_SAVE = 0xE103;
constexpr UINT ID_FILE_SAVE_AS = 0xE104;
constexpr UINT ID_FILE_PRINT_SETUP = 0xE106;
constexpr UINT ID_APP_EXIT = 0xE141;

// The application object: owns the toolkit application and the settings store,
// derives the program's name and folders, applies the interface style, and holds
// the main window pointer. One per process; AfxGetApp() returns it.
class CWinApp : public CCmdTarget {
public:
    // argv is kept, not copied; both must outlive the object.
    CWinApp(int argc, char** argv);
    ~CWinApp() override;

    virtual void WinHelp(DWORD data, UINT cmd = 0);
    // Asks the main frame class for a document; it supplies none, so nothing opens.
    virtual CDocument* OpenDocumentFile(const CString& name);
    virtual int AddView(void* view);
    // Offers the command line to the document layer; TRUE.
    virtual BOOL InitInstance();
    virtual void AddToRecentFileList(const char* path);
    // n = 1 / -1 enters / leaves a wait; the main window shows the wait cursor while
    // any wait is open or when n is 0.
    virtual void DoWaitCursor(int n);
    virtual bool notify(QObject* receiver, QEvent* event);
    virtual int DefaultStyle() { return 0; }
    virtual void NotifyViewDeletion(void* view);

    // Profile calls on the application's settings store.
    CString GetProfileString(const char* section, const char* entry, const char* def = nullptr);
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);
    int GetProfileInt(const char* section, const char* entry, int def);
    BOOL WriteProfileInt(const char* section, const char* entry, int value);

    // The interface style number, entry "Style" of section "Main".
    int GetAppStyle();
    void SetAppStyle(int style);
    // The toolkit style name a style number selects, or null for none.
    static const char* styleNameFor(int style);

    QString tr(const char* text, const char* comment = nullptr, int n = -1) const;

    const CString& appName() const { return m_appName; }
    const CString& supportFolder() const { return m_supportFolder; }
    const CString& iniPath() const { return m_iniPath; }
    // TRUE when the settings live in the ini file, FALSE for the native store.
    BOOL usesIniFile() const { return m_usesIni; }
    QSettings* settings() const { return m_settings.get(); }

    CWnd* m_pMainWnd = nullptr; // not owned; set by main to the main frame

protected:
    void OnFileNew();
    void OnFileOpen();
    void OnFileClose() { }
    void OnFileSave() { }
    void OnFileSaveAs() { }
    void OnFilePrintSetup() { }
    void OnExit() { }

private:
    void openSettings();
    void applyStyle();

    int m_argc;
    char** m_argv;
    // Built from argc/argv unless the process already has a toolkit application
    // (a test program), which is then used as it is.
    std::unique_ptr<QApplication> m_app;
    std::unique_ptr<QSettings> m_settings;
    CObList m_documents; // stays empty
    CString m_iniPath;
    CString m_appName;
    CString m_supportFolder;
    BOOL m_usesIni = FALSE;

    Q_DECLARE_MESSAGE_MAP(CWinApp)
};

// The application object, set when it is constructed; null before and after.
extern CWinApp* theApp;
