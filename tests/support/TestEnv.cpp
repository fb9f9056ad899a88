#include "TestEnv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {
std::string g_root;
int g_counter = 0;
} // namespace

void TestEnv::setUp()
{
    char tmpl[] = "/tmp/q7300-test-XXXXXX";
    if (!mkdtemp(tmpl))
        throw std::runtime_error("cannot create temporary folder");
    g_root = tmpl;
    namespace fs = std::filesystem;
    for (const char* sub : { "home", "config", "data", "datadirs", "runtime" })
        fs::create_directories(g_root + "/" + sub);
    fs::permissions(g_root + "/runtime", fs::perms::owner_all, fs::perm_options::replace);
    setenv("XDG_RUNTIME_DIR", (g_root + "/runtime").c_str(), 1);
    setenv("HOME", (g_root + "/home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (g_root + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (g_root + "/data").c_str(), 1);
    setenv("XDG_DATA_DIRS", (g_root + "/datadirs").c_str(), 1);
    // One screen of a common desktop size (the platform's own is 800x800), so
    // that stored window rectangles, which are kept on a screen, fit as they are.
    const std::string screen = g_root + "/screen.json";
    if (std::FILE* f = std::fopen(screen.c_str(), "w")) {
        std::fputs("{\"screens\":[{\"name\":\"test\",\"x\":0,\"y\":0,\"width\":1920,"
                   "\"height\":1200,\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":1}]}",
            f);
        std::fclose(f);
    }
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen).c_str(), 1);
}

const std::string& TestEnv::root()
{
    return g_root;
}

std::string TestEnv::freshDir(const std::string& stem)
{
    std::string d = g_root + "/" + stem + "-" + std::to_string(++g_counter);
    std::filesystem::create_directories(d);
    return d;
}

bool pumpUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    QCoreApplication::processEvents();
    return done();
}
