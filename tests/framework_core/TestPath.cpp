#include "AfnFile.h"
#include "EasyAfnFile.h"
#include "SplitPath.h"
#include "TestEnv.h"
#include <QDir>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Parts {
    std::string drive, dir, fname, ext;
};

Parts split(const char* path)
{
    char drive[_MAX_DRIVE] = "junk", dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(path, drive, dir, fname, ext);
    return { drive, dir, fname, ext };
}

void touch(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path;
}

// Collects every visited path, optionally stopping at one name with a code.
class Collector : public AfnFile {
public:
    std::vector<std::string> seen;
    std::string stopAt;
    int stopCode = 0;

protected:
    int ProcessFile(const CString& path) override
    {
        seen.push_back(static_cast<const char*>(path));
        if (!stopAt.empty() && seen.back().ends_with(stopAt)) {
            return stopCode;
        }
        return 0;
    }
};

std::vector<std::string> sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

} // namespace

TEST(PathSplit, FolderNameAndLastExtension)
{
    Parts p = split("/data/presets/My Routing.rut");
    EXPECT_EQ(p.drive, "");
    EXPECT_EQ(p.dir, "/data/presets");
    EXPECT_EQ(p.fname, "My Routing");
    EXPECT_EQ(p.ext, "rut");

    p = split("archive.tar.gz");
    EXPECT_EQ(p.dir, ".");
    EXPECT_EQ(p.fname, "archive.tar");
    EXPECT_EQ(p.ext, "gz");

    p = split("/a.b/noext");
    EXPECT_EQ(p.dir, "/a.b"); // a dot in the folder is not an extension
    EXPECT_EQ(p.fname, "noext");
    EXPECT_EQ(p.ext, "");

    p = split("/top.txt");
    EXPECT_EQ(p.dir, "");
    EXPECT_EQ(p.fname, "top");

    p = split("/p//x.y");
    EXPECT_EQ(p.dir, "/p");

    p = split("C:\\dos\\x.rut"); // a backslash is no folder separator here
    EXPECT_EQ(p.dir, ".");
    EXPECT_EQ(p.fname, "C:\\dos\\x");

    // Components longer than 255 characters are cut, never overflow their buffers.
    const std::string longName(1000, 'n');
    p = split(("/f/" + longName + ".e").c_str());
    EXPECT_EQ(p.fname.size(), 255u);
    EXPECT_EQ(p.ext, "e");
}

TEST(PathBuild, MakepathAlwaysInsertsSlashAndDot)
{
    char out[_MAX_PATH];
    _makepath(out, "", "/data", "x", "");
    EXPECT_STREQ(out, "/data/x.");
    _makepath(out, nullptr, "/data", "", "rut");
    EXPECT_STREQ(out, "/data/.rut");
    _makepath(out, "", "/data", "x", "rut");
    EXPECT_STREQ(out, "/data/x.rut");

    // Split and rebuild give back the path when it has a folder and an extension.
    SplitPath sp("/p/sub/name.rft");
    EXPECT_STREQ(sp.dir, "/p/sub");
    EXPECT_EQ(sp.MakePath(), "/p/sub/name.rft");
    EXPECT_EQ(SplitPath("/name.rft").MakePath(), "/name.rft");

    // An overlong result is cut inside the buffer.
    const std::string dir(300, 'd');
    char guarded[_MAX_PATH + 8];
    std::fill(guarded, guarded + sizeof guarded, 'G');
    const std::string name(250, 'f');
    _makepath(guarded, "", dir.c_str(), name.c_str(), std::string(250, 'e').c_str());
    _makepath(guarded, dir.c_str(), dir.c_str(), name.c_str(), std::string(250, 'e').c_str());
    EXPECT_EQ(std::string(guarded).size(), static_cast<size_t>(_MAX_PATH - 1));
    for (size_t i = _MAX_PATH; i < sizeof guarded; ++i) {
        EXPECT_EQ(guarded[i], 'G');
    }
}

TEST(PathFilePart, LastDotBecomesUnderscoreAfterLastBackslash)
{
    EXPECT_EQ(FilePart("C:\\dir\\name.ext"), "name_ext");
    EXPECT_EQ(FilePart("a.b.c"), "a.b_c");
    EXPECT_EQ(FilePart("/unix/path.txt"), "/unix/path_txt"); // '/' is not a separator here
    EXPECT_EQ(FilePart("dir.d\\plain"), "plain");
    EXPECT_EQ(FilePart(""), "");
}

TEST(PathWalker, RecursiveWalkFindsMatchesInSubFolders)
{
    const std::string p = TestEnv::freshDir("walk");
    QDir().mkpath(QString::fromStdString(p + "/sub/deeper"));
    QDir().mkpath(QString::fromStdString(p + "/.hiddendir"));
    touch(p + "/a.rut");
    touch(p + "/.h.rut");
    touch(p + "/sub.txt");
    touch(p + "/sub/b.rut");
    touch(p + "/sub/deeper/c.rut");
    touch(p + "/sub/deeper/c.rft");
    touch(p + "/.hiddendir/d.rut");
    touch(p + "/x.RUT"); // the name filter is case-sensitive here

    Collector flat;
    EXPECT_EQ(flat.Process(CString((p + "/*.rut").c_str()), 0), 0);
    EXPECT_EQ(sorted(flat.seen), sorted({ p + "/a.rut", p + "/.h.rut" }));

    Collector deep;
    EXPECT_EQ(deep.Process(CString((p + "/*.rut").c_str()), AfnFile::kRecurse), 0);
    EXPECT_EQ(sorted(deep.seen),
        sorted({ p + "/a.rut", p + "/.h.rut", p + "/sub/b.rut", p + "/sub/deeper/c.rut",
            p + "/.hiddendir/d.rut" }));

    Collector exact;
    exact.Process(CString((p + "/sub.txt").c_str()), AfnFile::kRecurse);
    EXPECT_EQ(exact.seen, (std::vector<std::string> { p + "/sub.txt" }));

    Collector missing;
    EXPECT_EQ(missing.Process(CString((p + "/nowhere/*.rut").c_str()), AfnFile::kRecurse), 0);
    EXPECT_TRUE(missing.seen.empty());
}

TEST(PathWalker, FirstNonZeroResultStopsTheWalk)
{
    const std::string p = TestEnv::freshDir("walkstop");
    QDir().mkpath(QString::fromStdString(p + "/s1/s2"));
    touch(p + "/s1/s2/target.rut");
    touch(p + "/s1/other.rut");
    touch(p + "/top.rut");
    Collector c;
    c.stopAt = "target.rut";
    c.stopCode = 42;
    EXPECT_EQ(c.Process(CString((p + "/*.rut").c_str()), AfnFile::kRecurse), 42);
    EXPECT_TRUE(c.seen.back().ends_with("target.rut"));
    EXPECT_EQ(std::count_if(c.seen.begin(), c.seen.end(),
                  [](const std::string& s) { return s.ends_with("target.rut"); }),
        1);
    // The walker is usable again after a stopped walk.
    c.seen.clear();
    c.stopAt.clear();
    EXPECT_EQ(c.Process(CString((p + "/*.rut").c_str()), AfnFile::kRecurse), 0);
    EXPECT_EQ(c.seen.size(), 3u);
}

TEST(PathWalker, LinkedFolderLoopEnds)
{
    const std::string p = TestEnv::freshDir("walkloop");
    QDir().mkpath(QString::fromStdString(p + "/in"));
    touch(p + "/in/f.rut");
    ASSERT_EQ(symlink(p.c_str(), (p + "/in/back").c_str()), 0);
    Collector c;
    EXPECT_EQ(c.Process(CString((p + "/*.rut").c_str()), AfnFile::kRecurse), 0);
    EXPECT_EQ(c.seen, (std::vector<std::string> { p + "/in/f.rut" }));
}

TEST(PathWalker, EasyWalkRunsAtConstruction)
{
    const std::string p = TestEnv::freshDir("easywalk");
    QDir().mkpath(QString::fromStdString(p + "/sub"));
    touch(p + "/one.rft");
    touch(p + "/sub/two.rft");
    std::vector<std::string> seen;
    const auto collect = [](const CString& path, void* data) {
        static_cast<std::vector<std::string>*>(data)->push_back(static_cast<const char*>(path));
        return 0;
    };
    EasyAfnFile flat(CString((p + "/*.rft").c_str()), collect, &seen, FALSE);
    EXPECT_TRUE(flat.OK());
    EXPECT_EQ(seen, (std::vector<std::string> { p + "/one.rft" }));
    seen.clear();
    EasyAfnFile deep(CString((p + "/*.rft").c_str()), collect, &seen, TRUE);
    EXPECT_TRUE(deep.OK());
    EXPECT_EQ(sorted(seen), sorted({ p + "/one.rft", p + "/sub/two.rft" }));

    // The 8-bit callback form sees the same files.
    seen.clear();
    const auto collectText = [](const char* path, void* data) {
        static_cast<std::vector<std::string>*>(data)->push_back(path);
        return 0;
    };
    EasyAfnFile text(CString((p + "/*.rft").c_str()), collectText, &seen, TRUE);
    EXPECT_TRUE(text.OK());
    EXPECT_EQ(sorted(seen), sorted({ p + "/one.rft", p + "/sub/two.rft" }));

    const auto refuse = [](const CString&, void*) { return -3; };
    EasyAfnFile stopped(CString((p + "/*.rft").c_str()), refuse, nullptr, TRUE);
    EXPECT_FALSE(stopped.OK());
    EXPECT_EQ(stopped.Result(), -3);
}
