// The program's folders under relocated XDG variables.
#include "AppFolders.h"
#include "TestEnv.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Puts back the folder variables the test environment set, whatever a test does to them.
class EnvGuard {
public:
    EnvGuard()
    {
        for (const char* name : kNames)
            m_saved.emplace_back(getenv(name) ? getenv(name) : "");
    }
    ~EnvGuard()
    {
        for (size_t i = 0; i < m_saved.size(); ++i)
            setenv(kNames[i], m_saved[i].c_str(), 1);
    }
    void set(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }
    void unset(const char* name) { unsetenv(name); }

private:
    static constexpr const char* kNames[]
        = { "HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME" };
    std::vector<std::string> m_saved;
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
    env.set("XDG_DATA_DIRS", "relative:" + sys1 + ":" + sys2); // relative entries are ignored
    EXPECT_EQ(supportDataFolder("Probe"), q(sys1)); // nobody holds it: the first system folder
    QDir().mkpath(q(sys2) + "/Zorvanta/Probe");
    EXPECT_EQ(supportDataFolder("Probe"), q(sys2));
    QDir().mkpath(q(home) + "/Zorvanta/Probe");
    EXPECT_EQ(supportDataFolder("Probe"), q(home));
    QDir().mkpath(q(sys1) + "/Zorvanta");
    QFile f(q(sys1) + "/Zorvanta/FileApp"); // a plain file is no folder holding it
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(supportDataFolder("FileApp"), q(sys1));

    env.unset("XDG_DATA_DIRS");
    env.set("HOME", home);
    env.set("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(supportDataFolder("NoSuchApp"), QString("/usr/local/share"));
    EXPECT_EQ(preferencesFolder(), q(home) + "/.config");
}

TEST(AppFolders, ConfigPathIsCreatedOnceAndKept)
{
    EnvGuard env;
    env.set("XDG_CONFIG_HOME", TestEnv::freshDir("cfgonce"));
    const CString first = configPath();
    EXPECT_TRUE(first.toQString().endsWith("/Zorvanta/" + QCoreApplication::applicationName()));
    EXPECT_TRUE(QFileInfo(first.toQString()).isDir());
    env.set("XDG_CONFIG_HOME", TestEnv::freshDir("cfgother"));
    EXPECT_EQ(configPath().toQString(), first.toQString());
}
