// Disk files (presets, dump files, key scripts) and the memory file that
// assembles received messages.
#include "CFile.h"
#include "CMemFile.h"
#include "TestEnv.h"
#include <QFile>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

QByteArray contentsOf(const CString& path)
{
    QFile f(path.toQString());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

TEST(DiskFile, OpenModesSeekAndEnds)
{
    const CString path((TestEnv::freshDir("file") + "/data.bin").c_str());
    CFile f;
    EXPECT_FALSE(f.Open(path, CFile::fmRead)); // missing file
    ASSERT_TRUE(f.Open(path, CFile::fmWrite));
    EXPECT_EQ(f.Write("hello world", 11), 11);
    char c;
    EXPECT_EQ(f.Read(&c, 1), -1); // write-only
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(contentsOf(path), "hello world");
    {
        CFile ro(path, CFile::fmRead);
        EXPECT_EQ(ro.Write("x", 1), -1);
        char buf[64];
        EXPECT_EQ(ro.Read(buf, sizeof buf), 11);
        EXPECT_EQ(ro.Read(buf, sizeof buf), 0);
        EXPECT_EQ(ro.Seek(6, CFile::begin), 6);
        EXPECT_EQ(ro.Seek(-1, CFile::begin), -1);
        EXPECT_EQ(ro.GetPosition(), 6); // a refused move keeps the position
        EXPECT_EQ(std::string(buf, std::max(0, ro.Read(buf, 5))), "world");
    }
    {
        CFile trunc(path, CFile::fmWrite);
    } // write alone truncates
    EXPECT_EQ(contentsOf(path), "");

    const CString wide(QString::fromStdString(TestEnv::freshDir("wide"))
        + QString::fromUtf8("/\xd0\xbf\xd1\x80\xd0\xb5.rut"));
    ASSERT_TRUE(f.Open(wide, CFile::fmWrite)); // names beyond eight bits survive
    f.Close();
    EXPECT_TRUE(QFile::exists(wide.toQString()));
}

TEST(DiskFile, FailuresAreReportedNotHidden)
{
    const CString blocker((TestEnv::freshDir("file-fail") + "/plain").c_str());
    {
        CFile f(blocker, CFile::fmWrite);
    }
    CFile f; // a parent that is a file stops even root
    EXPECT_FALSE(f.Open(blocker + "/child.txt", CFile::fmWrite));
    EXPECT_EQ(f.Write("abc", 3), -1);
    EXPECT_FALSE(f.Close());
    // A full device: the failed write shows in Write itself and in Close.
    CFile full;
    if (full.Open(CString("/dev/full"), CFile::fmWrite)) {
        std::vector<char> block(4096, 'x');
        EXPECT_EQ(full.Write(block.data(), static_cast<int>(block.size())), -1);
        EXPECT_FALSE(full.Close());
    }
}

TEST(MemoryFile, WritesAcrossBlocksAndSeeksWithinBounds)
{
    CMemFile m;
    std::vector<char> big(CMemFile::kBlockSize * 2 + 100);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + 1);
    EXPECT_EQ(m.Write("abc", 3), 3);
    EXPECT_EQ(m.Write(big.data(), static_cast<int>(big.size())), static_cast<int>(big.size()));
    const long total = 3 + static_cast<long>(big.size());
    EXPECT_EQ(m.GetLength(), total);
    ASSERT_TRUE(m.seek(0));
    std::vector<char> back(static_cast<size_t>(total) + 50, 0);
    EXPECT_EQ(m.Read(back.data(), static_cast<int>(back.size())), total);
    EXPECT_EQ(std::memcmp(back.data() + 3, big.data(), big.size()), 0);

    EXPECT_TRUE(m.seek(total)); // the end itself is allowed
    EXPECT_FALSE(m.seek(total + 1));
    EXPECT_FALSE(m.seek(-1));
    EXPECT_EQ(m.pos(), total);
    ASSERT_TRUE(m.seek(CMemFile::kBlockSize + 1)); // into the second block
    char got = 0;
    EXPECT_EQ(m.Read(&got, 1), 1);
    EXPECT_EQ(got, big[CMemFile::kBlockSize - 2]);
}
