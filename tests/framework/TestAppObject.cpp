// The application object in this process: name, ini file or native store, style,
// profile calls across two application objects, wait cursor, globals and idle.
#include "AppFolders.h"
#include "AppGlobals.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "MsgReceiver.h"
#include "Posting.h"
#include "ProfileStore.h"
#include "TestEnv.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

// A program path with its own argv storage.
struct Args {
    explicit Args(std::vector<std::string> a)
        : text(std::move(a))
    {
        for (auto& s : text)
            ptrs.push_back(s.data());
        ptrs.push_back(nullptr);
    }
    int argc() const { return static_cast<int>(text.size()); }
    char** argv() { return ptrs.data(); }
    std::vector<std::string> text;
    std::vector<char*> ptrs;
};

// Relocates the data folders for one test and restores the toolkit's application
// name, style and the settings store registration afterwards.
class AppObject : public testing::Test {
protected:
    void SetUp() override
    {
        m_oldName = QCoreApplication::applicationName();
        m_oldStyle = QApplication::style()->name();
        m_oldDirs = getenv("XDG_DATA_DIRS") ? getenv("XDG_DATA_DIRS") : "";
        m_oldHome = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
        sys = TestEnv::freshDir("appsys");
        setenv("XDG_DATA_DIRS", sys.c_str(), 1);
        setenv("XDG_DATA_HOME", TestEnv::freshDir("appdatahome").c_str(), 1);
    }
    void TearDown() override
    {
        setenv("XDG_DATA_DIRS", m_oldDirs.c_str(), 1);
        setenv("XDG_DATA_HOME", m_oldHome.c_str(), 1);
        QCoreApplication::setApplicationName(m_oldName);
        QApplication::setStyle(QStyleFactory::create(m_oldStyle));
    }
    // Makes the ini file's folder for `app` so the ini file can be created.
    QString makeSupportFolder(const QString& app)
    {
        const QString folder = QString::fromStdString(sys) + "/" + app;
        QDir().mkpath(folder);
        return folder;
    }
    std::string sys;

private:
    QString m_oldName, m_oldStyle;
    std::string m_oldDirs, m_oldHome;
};

} // namespace

TEST_F(AppObject, NameAndIniFileComeFromTheProgramPath)
{
    const QString folder = makeSupportFolder("Route");
    Args args({ "/opt/somewhere/Route.app.bin" });
    {
        CWinApp app(args.argc(), args.argv());
        EXPECT_EQ(app.appName().toQString(), QString("Route"));
        EXPECT_EQ(QCoreApplication::applicationName(), QString("Route"));
        EXPECT_EQ(app.supportFolder().toQString(), folder);
        EXPECT_EQ(app.iniPath().toQString(), folder + "/Route.ini");
        EXPECT_TRUE(app.usesIniFile());
        EXPECT_EQ(GetProfileStore(), app.settings());
        app.WriteProfileInt("Comms", "MidiID", 17);
        app.WriteProfileString("Nerilune", "Sizer", "40,60,840,660");
    }
    // The store was written out when the object went; read the file independently.
    QSettings file(folder + "/Route.ini", QSettings::IniFormat);
    EXPECT_EQ(file.value("/Comms/MidiID").toInt(), 17);
    EXPECT_EQ(GetProfileStore(), nullptr);
    EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST_F(AppObject, SettingsSurviveARestartInTheIniFile)
{
    makeSupportFolder("Restart");
    Args args({ "/x/Restart" });
    {
        CWinApp first(args.argc(), args.argv());
        ASSERT_TRUE(first.usesIniFile());
        first.WriteProfileString("Main", "Port", "USB MIDI 1");
        first.WriteProfileInt("Main", "Demo", 1);
        first.WriteProfileString("Main", "Gone", "x");
        first.WriteProfileString("Main", "Gone", nullptr);
    }
    CWinApp second(args.argc(), args.argv());
    EXPECT_EQ(second.GetProfileString("Main", "Port", "none").toQString(), QString("USB MIDI 1"));
    EXPECT_EQ(second.GetProfileInt("Main", "Demo", 0), 1);
    EXPECT_EQ(second.GetProfileString("Main", "Gone", "absent").toQString(), QString("absent"));
    EXPECT_EQ(second.GetProfileInt("Main", "Missing", 33), 33);
}

TEST_F(AppObject, SupportFolderThatIsAFileFallsBackToTheNativeStore)
{
    // "<sys>/FileApp" is a plain file, so "<sys>/FileApp/FileApp.ini" cannot exist.
    QFile blocker(QString::fromStdString(sys) + "/FileApp");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Args args({ "/x/FileApp" });
    {
        CWinApp app(args.argc(), args.argv());
        EXPECT_FALSE(app.usesIniFile());
        ASSERT_NE(app.settings(), nullptr);
        EXPECT_EQ(app.settings()->format(), QSettings::NativeFormat);
        EXPECT_EQ(app.settings()->organizationName(), QString("Zorvanta"));
        EXPECT_EQ(app.settings()->applicationName(), QString("FileApp"));
        app.WriteProfileInt("Main", "Kept", 5);
    }
    CWinApp again(args.argc(), args.argv());
    EXPECT_EQ(again.GetProfileInt("Main", "Kept", 0), 5);
}

TEST_F(AppObject, MissingSupportFolderIsNotCreated)
{
    Args args({ "/x/NoFolder" });
    CWinApp app(args.argc(), args.argv());
    EXPECT_FALSE(app.usesIniFile());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(sys) + "/NoFolder"));
}

TEST_F(AppObject, ReadOnlyIniFileFallsBackToTheNativeStore)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may write read-only files";
    const QString folder = makeSupportFolder("ReadOnly");
    QFile ini(folder + "/ReadOnly.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Main]\nStyle=0\n");
    ini.close();
    ini.setPermissions(QFileDevice::ReadOwner);
    Args args({ "/x/ReadOnly" });
    CWinApp app(args.argc(), args.argv());
    EXPECT_FALSE(app.usesIniFile());
}

TEST_F(AppObject, StyleNumberSelectsAnExistingToolkitStyleOnly)
{
    if (!QStyleFactory::keys().contains("Windows", Qt::CaseInsensitive))
        GTEST_SKIP() << "this toolkit build has no Windows style";
    makeSupportFolder("Styled");
    Args args({ "/x/Styled" });
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    {
        CWinApp app(args.argc(), args.argv());
        EXPECT_EQ(app.GetAppStyle(), 0); // the default
        EXPECT_EQ(QApplication::style()->name().toLower(), QString("fusion"));
        app.SetAppStyle(2);
    }
    {
        CWinApp app(args.argc(), args.argv());
        EXPECT_EQ(app.GetAppStyle(), 2);
        EXPECT_EQ(QApplication::style()->name().toLower(), QString("windows"));
    }
    // Numbers without a style (3) or whose style this toolkit lacks keep the current one.
    for (int n : { 3, 0, 5, 8 }) {
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        {
            CWinApp app(args.argc(), args.argv());
            app.SetAppStyle(n);
        }
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        CWinApp app(args.argc(), args.argv());
        const bool exists = CWinApp::styleNameFor(n)
            && QStyleFactory::keys().contains(CWinApp::styleNameFor(n), Qt::CaseInsensitive);
        if (!exists) {
            EXPECT_EQ(QApplication::style()->name().toLower(), QString("fusion")) << n;
        }
    }
}

TEST_F(AppObject, ExtraArgumentsOpenNothingAndInitSucceeds)
{
    Args args({ "/x/Args", "one.rut", "--two", "" });
    CWinApp app(args.argc(), args.argv());
    EXPECT_EQ(app.InitInstance(), TRUE);
    EXPECT_EQ(app.OpenDocumentFile("one.rut"), nullptr);
    Args none({ "/x/Args" });
    CWinApp plain(none.argc(), none.argv());
    EXPECT_EQ(plain.InitInstance(), TRUE);
}

TEST_F(AppObject, NestedWaitCursorsKeepTheWaitCursorUntilTheOutermostEnds)
{
    Args args({ "/x/Wait" });
    CWinApp app(args.argc(), args.argv());
    CWnd main;
    ASSERT_TRUE(main.Attach(nullptr));
    app.m_pMainWnd = &main;
    EXPECT_EQ(AfxGetMainWnd(), &main);
    QWidget* w = main.GetWidget();
    ASSERT_NE(w, nullptr);
    {
        WaitCursor outer;
        EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
        {
            WaitCursor inner;
            EXPECT_EQ(CWinApp::waitCount(), 2);
        }
        EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(CWinApp::waitCount(), 0);
    // n = 0 shows the wait cursor without counting; any other n leaves the count.
    app.DoWaitCursor(0);
    EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
    app.DoWaitCursor(5);
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
    // An unmatched release does not leave a debt that cancels the next wait.
    app.DoWaitCursor(-1);
    {
        WaitCursor again;
        EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
    }
    app.m_pMainWnd = nullptr;
}

TEST_F(AppObject, GlobalsFollowTheLiveApplicationObject)
{
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    Args args({ "/x/Globals" });
    {
        CWinApp app(args.argc(), args.argv());
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(theApp, &app);
        EXPECT_EQ(AfxGetMainWnd(), nullptr);
        WaitCursor noWindow; // no main window: nothing to change, no crash
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    WaitCursor noApp;
}

namespace {
class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

class Inbox : public CCmdTarget {
public:
    int got = 0;
    LRESULT OnUser(WPARAM, LPARAM)
    {
        ++got;
        return 0;
    }
    Q_DECLARE_MESSAGE_MAP(Inbox)
};
Q_BEGIN_ROOT_MESSAGE_MAP(Inbox)
Q_ON_MESSAGE(msgUser, OnUser)
Q_END_MESSAGE_MAP()
} // namespace

TEST(Idle, PaintsPendingUpdatesButRunsNoPostedMessages)
{
    PaintCounter w;
    w.resize(50, 50);
    w.show();
    QCoreApplication::processEvents();
    const int before = w.paints;
    Inbox inbox;
    MsgReceiver receiver(&inbox);
    w.update();
    PostMessage(&receiver, msgUser, 0, 0);
    EXPECT_EQ(idle(), 1);
    EXPECT_GT(w.paints, before);
    EXPECT_EQ(inbox.got, 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(inbox.got, 1);
}
