// The folder walker that finds preset files.
#include "AfnFile.h"
#include "TestEnv.h"
#include <QDir>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void touch(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path;
}

// Collects every visited path, stopping with a code at a name ending in stopAt.
class Collector : public AfnFile {
public:
    std::vector<std::string> seen;
    std::string stopAt = "<none>";

protected:
    int ProcessFile(const CString& path) override
    {
        seen.push_back(static_cast<const char*>(path));
        return seen.back().ends_with(stopAt) ? 42 : 0;
    }
};

std::vector<std::string> sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

} // namespace

TEST(Path, WalkerFindsMatchesInSubFoldersStopsAtTheFirstCodeAndEndsInLinkLoops)
{
    const std::string p = TestEnv::freshDir("walk");
    QDir().mkpath(QString::fromStdString(p + "/sub/deeper"));
    touch(p + "/a.rut");
    touch(p + "/.h.rut");
    touch(p + "/sub.txt");
    touch(p + "/sub/deeper/c.rut");
    touch(p + "/sub/deeper/c.rft");
    touch(p + "/x.RUT"); // the name filter is case-sensitive here
    ASSERT_EQ(symlink(p.c_str(), (p + "/sub/back").c_str()), 0);

    Collector flat;
    EXPECT_EQ(flat.Process(CString((p + "/*.rut").c_str()), 0), 0);
    EXPECT_EQ(sorted(flat.seen), sorted({ p + "/a.rut", p + "/.h.rut" }));
    Collector deep;
    EXPECT_EQ(deep.Process(CString((p + "/*.rut").c_str()), AfnFile::kRecurse), 0);
    EXPECT_EQ(sorted(deep.seen), sorted({ p + "/a.rut", p + "/.h.rut", p + "/sub/deeper/c.rut" }));
    deep.seen.clear();
    deep.stopAt = "c.rut";
    EXPECT_EQ(deep.Process(CString((p + "/*.rut").c_str()), AfnFile::kRecurse), 42);
    EXPECT_TRUE(deep.seen.back().ends_with("c.rut"));
}
