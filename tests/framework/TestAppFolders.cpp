// The program's folders under relocated XDG variables, and the application name
// taken from the program path.
#include "AppFolders.h"
#include "TestEnv.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>

namespace {

// Sets environment variables for one test and restores them afterwards.
class EnvGuard {
public:
    ~EnvGuard()
    {
        for (auto& [name, old] : m_saved) {
            if (old)
                setenv(name.c_str(), old->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    void set(const char* name, const std::string& value)
    {
        save(name);
        setenv(name, value.c_str(), 1);
    }
    void unset(const char* name)
    {
        save(name);
        unsetenv(name);
    }

private:
    void save(const char* name)
    {
        if (m_saved.count(name))
            return;
        const char* v = getenv(name);
        m_saved[name] = v ? std::optional<std::string>(v) : std::nullopt;
    }
    std::map<std::string, std::optional<std::string>> m_saved;
};

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

TEST(AppFolders, SupportFolderIsTheFirstDataFolderHoldingTheApplication)
{
    EnvGuard env;
    const std::string home = TestEnv::freshDir("datahome");
    const std::string sys1 = TestEnv::freshDir("sys1");
    const std::string sys2 = TestEnv::freshDir("sys2");
    env.set("XDG_DATA_HOME", home);
    env.set("XDG_DATA_DIRS", sys1 + ":" + sys2);

    // Nobody holds Zorvanta/Probe: the first folder of XDG_DATA_DIRS.
    EXPECT_EQ(supportDataFolder("Probe"), q(sys1));
    // Only the second system folder holds it.
    QDir().mkpath(q(sys2) + "/Zorvanta/Probe");
    EXPECT_EQ(supportDataFolder("Probe"), q(sys2));
    // The user's data folder comes first.
    QDir().mkpath(q(home) + "/Zorvanta/Probe");
    EXPECT_EQ(supportDataFolder("Probe"), q(home));
    // Another application name is not found there.
    EXPECT_EQ(supportDataFolder("Other"), q(sys1));
    // A plain file of that name is not a folder holding the application.
    QDir().mkpath(q(sys1) + "/Zorvanta");
    QFile f(q(sys1) + "/Zorvanta/FileApp");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(supportDataFolder("FileApp"), q(sys1));
}

TEST(AppFolders, DefaultsWhenVariablesAreUnsetOrRelative)
{
    EnvGuard env;
    const std::string home = TestEnv::freshDir("home");
    env.set("HOME", home);
    env.unset("XDG_DATA_DIRS");
    env.unset("XDG_DATA_HOME");
    env.unset("XDG_CONFIG_HOME");
    EXPECT_EQ(supportDataFolder("NoSuchApp"), QString("/usr/local/share"));
    EXPECT_EQ(preferencesFolder(), q(home) + "/.config");
    ASSERT_GE(xdgDataFolders().size(), 3);
    EXPECT_EQ(xdgDataFolders().at(0), q(home) + "/.local/share");
    EXPECT_EQ(xdgDataFolders().at(2), QString("/usr/share"));

    // Relative entries are ignored, as the XDG rules require.
    env.set("XDG_CONFIG_HOME", "relative/config");
    env.set("XDG_DATA_DIRS", "relative:/abs/one:");
    EXPECT_EQ(preferencesFolder(), q(home) + "/.config");
    EXPECT_EQ(supportDataFolder("NoSuchApp"), QString("/abs/one"));

    const std::string cfg = TestEnv::freshDir("cfg");
    env.set("XDG_CONFIG_HOME", cfg);
    EXPECT_EQ(preferencesFolder(), q(cfg));
}

TEST(AppFolders, SettingsPathFollowsTheVariablesOnEveryCall)
{
    EnvGuard env;
    const QString app = QCoreApplication::applicationName();
    ASSERT_FALSE(app.isEmpty());
    const std::string a = TestEnv::freshDir("sysA");
    const std::string b = TestEnv::freshDir("sysB");
    env.set("XDG_DATA_HOME", TestEnv::freshDir("dh"));
    env.set("XDG_DATA_DIRS", a);
    EXPECT_EQ(settingsPath().toQString(), q(a) + "/Zorvanta/" + app);
    env.set("XDG_DATA_DIRS", b);
    EXPECT_EQ(settingsPath().toQString(), q(b) + "/Zorvanta/" + app);
    // Not created.
    EXPECT_FALSE(QFileInfo::exists(q(b) + "/Zorvanta"));
}

TEST(AppFolders, ConfigPathIsCreatedOnceAndKept)
{
    EnvGuard env;
    const std::string cfg = TestEnv::freshDir("cfgonce");
    env.set("XDG_CONFIG_HOME", cfg);
    const CString first = configPath();
    EXPECT_TRUE(first.toQString().endsWith("/Zorvanta/" + QCoreApplication::applicationName()));
    EXPECT_TRUE(QFileInfo(first.toQString()).isDir());
    // Later calls give the same text whatever the variables say now.
    env.set("XDG_CONFIG_HOME", TestEnv::freshDir("cfgother"));
    EXPECT_EQ(configPath().toQString(), first.toQString());
}

TEST(AppFolders, MakeDirCreatesParentsAndReportsFailure)
{
    const std::string base = TestEnv::freshDir("mk");
    const std::string deep = base + "/a/b/c";
    EXPECT_EQ(MakeDir(deep.c_str()), TRUE);
    EXPECT_TRUE(QFileInfo(q(deep)).isDir());
    EXPECT_EQ(MakeDir(deep.c_str()), TRUE); // already there
    QFile f(q(base) + "/plain");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const std::string under = base + "/plain/sub";
    EXPECT_EQ(MakeDir(under.c_str()), FALSE);
    EXPECT_EQ(MakeDir((base + "/plain").c_str()), FALSE); // a file, not a folder
    EXPECT_EQ(MakeDir(""), FALSE);
    EXPECT_EQ(MakeDir(nullptr), FALSE);
}

TEST(AppFolders, ApplicationNameFromProgramPath)
{
    EXPECT_EQ(appNameFromProgramPath("/opt/x/Route.app.bin"), QString("Route"));
    EXPECT_EQ(appNameFromProgramPath("/usr/bin/q7300-routing"), QString("q7300-routing"));
    EXPECT_EQ(appNameFromProgramPath("q7300-routing"), QString("q7300-routing"));
    EXPECT_EQ(appNameFromProgramPath("./dir.d/prog"), QString("prog")); // dots in folders stay
}
