#include "CFile.h"
#include "CMemFile.h"
#include "CTime.h"
#include "TestEnv.h"
#include <QFile>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

CString pathIn(const std::string& dir, const char* name)
{
    return CString((dir + "/" + name).c_str());
}

QByteArray contentsOf(const CString& path)
{
    QFile f(path.toQString());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

TEST(DiskFile, OpenModesReadWriteAndTruncate)
{
    const std::string dir = TestEnv::freshDir("file-modes");
    const CString path = pathIn(dir, "data.bin");
    {
        CFile f;
        EXPECT_FALSE(f.Open(path, 0)); // no mode asked for
        EXPECT_FALSE(f.Open(path, 0x1 | 0x80 | 0x100)); // bits without effect
        EXPECT_FALSE(f.Open(path, CFile::fmRead)); // missing file
        ASSERT_TRUE(f.Open(path, CFile::fmWrite | 0x1));
        EXPECT_EQ(f.Write("hello world", 11), 11);
        EXPECT_EQ(f.Read(nullptr, 0), -1);
        char c;
        EXPECT_EQ(f.Read(&c, 1), -1); // write-only
        EXPECT_EQ(f.GetLength(), 11);
        EXPECT_EQ(f.GetFileName(), "data.bin");
        EXPECT_EQ(f.GetFilePath(), path);
        EXPECT_TRUE(f.Close());
    }
    EXPECT_EQ(contentsOf(path), "hello world");
    {
        CFile f(path, CFile::fmRead | CFile::fmWrite); // read-write keeps the contents
        ASSERT_TRUE(f.IsOpen());
        char buf[6] = {};
        EXPECT_EQ(f.Read(buf, 5), 5);
        EXPECT_STREQ(buf, "hello");
        EXPECT_EQ(f.Write("_", 1), 1);
        EXPECT_EQ(f.GetPosition(), 6);
    }
    EXPECT_EQ(contentsOf(path), "hello_world");
    {
        CFile f(path, CFile::fmRead);
        EXPECT_EQ(f.Write("x", 1), -1); // read-only
        char buf[64];
        EXPECT_EQ(f.Read(buf, sizeof buf), 11);
        EXPECT_EQ(f.Read(buf, sizeof buf), 0);
    }
    {
        CFile f(path, CFile::fmWrite); // write alone truncates
        ASSERT_TRUE(f.IsOpen());
    }
    EXPECT_EQ(contentsOf(path), "");
}

TEST(DiskFile, SeekFromEachOriginAndRefusedMoves)
{
    const std::string dir = TestEnv::freshDir("file-seek");
    CFile f;
    EXPECT_EQ(f.Seek(0, 0), -1); // not open
    ASSERT_TRUE(f.Open(pathIn(dir, "s.bin"), CFile::fmRead | CFile::fmWrite));
    ASSERT_EQ(f.Write("0123456789", 10), 10);
    EXPECT_EQ(f.Seek(2, CFile::begin), 2);
    EXPECT_EQ(f.Seek(3, CFile::current), 5);
    EXPECT_EQ(f.Seek(-1, CFile::end), 9);
    char c = 0;
    EXPECT_EQ(f.Read(&c, 1), 1);
    EXPECT_EQ(c, '9');
    EXPECT_EQ(f.Seek(-20, CFile::current), -1);
    EXPECT_EQ(f.GetPosition(), 10); // a refused move keeps the position
    EXPECT_EQ(f.Seek(0, 7), -1);
}

TEST(DiskFile, FailuresAreReportedNotHidden)
{
    const std::string dir = TestEnv::freshDir("file-fail");
    const CString blocker = pathIn(dir, "plain");
    {
        CFile f(blocker, CFile::fmWrite);
        ASSERT_EQ(f.Write("x", 1), 1);
    }
    // A parent that is a file stops even root.
    const CString inside = blocker + "/child.txt";
    CFile f;
    EXPECT_FALSE(f.Open(inside, CFile::fmWrite));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.Write("abc", 3), -1);
    EXPECT_EQ(f.Read(nullptr, 1), -1);
    EXPECT_FALSE(f.Close());
    EXPECT_FALSE(f.Open(inside, CFile::fmRead | CFile::fmWrite));
    EXPECT_FALSE(CFile::Rename(blocker, inside));
    EXPECT_FALSE(CFile::Remove(inside));
    EXPECT_FALSE(f.Open(CString(""), CFile::fmRead));

#ifdef __linux__
    // A full device: the failed write shows in Write itself and in Close.
    CFile full;
    if (full.Open(CString("/dev/full"), CFile::fmWrite)) {
        std::vector<char> block(4096, 'x');
        EXPECT_EQ(full.Write(block.data(), static_cast<int>(block.size())), -1);
        EXPECT_FALSE(full.Close());
    }
#endif
}

TEST(DiskFile, StatusRenameAndRemove)
{
    const std::string dir = TestEnv::freshDir("file-status");
    const CString a = pathIn(dir, "a.txt");
    const CString b = pathIn(dir, "b.txt");
    {
        CFile f(a, CFile::fmWrite);
        ASSERT_EQ(f.Write("12345", 5), 5);
        CFileStatus st;
        EXPECT_TRUE(f.GetStatus(st));
        EXPECT_EQ(st.m_size, 5);
    }
    CFileStatus st;
    EXPECT_TRUE(CFile::GetStatus(a, st));
    EXPECT_EQ(st.m_size, 5);
    EXPECT_EQ(st.m_szFullName, a);
    EXPECT_GT(st.m_mtime.GetTime(), 0);
    EXPECT_FALSE(CFile::GetStatus(CString(dir.c_str()), st)); // a folder is no file
    EXPECT_FALSE(CFile::GetStatus(pathIn(dir, "none"), st));

    EXPECT_TRUE(CFile::Rename(a, b));
    EXPECT_FALSE(CFile::GetStatus(a, st));
    EXPECT_TRUE(CFile::GetStatus(b, st));
    EXPECT_TRUE(CFile::Remove(b));
    EXPECT_FALSE(CFile::GetStatus(b, st));
    EXPECT_FALSE(CFile::Remove(b));
}

TEST(DiskFile, NamesBeyondEightBitsSurvive)
{
    const std::string dir = TestEnv::freshDir("file-wide");
    const CString path(
        QString::fromStdString(dir) + QString::fromUtf8("/\xd0\xbf\xd1\x80\xd0\xb5.rut"));
    {
        CFile f(path, CFile::fmWrite);
        ASSERT_TRUE(f.IsOpen());
        EXPECT_EQ(f.Write("k", 1), 1);
    }
    CFileStatus st;
    EXPECT_TRUE(CFile::GetStatus(path, st));
    EXPECT_EQ(st.m_size, 1);
}

TEST(MemoryFile, GrowsByWholeBlocksAndReadsBack)
{
    CMemFile m;
    EXPECT_EQ(m.GetLength(), 0);
    EXPECT_EQ(m.GetBlockCount(), 0);
    EXPECT_EQ(m.Write("abc", 3), 3);
    EXPECT_EQ(m.GetBlockCount(), 1);
    EXPECT_EQ(m.pos(), 3);

    // Cross several block boundaries in one write.
    std::vector<char> big(CMemFile::kBlockSize * 2 + 100);
    for (size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 7 + 1);
    }
    EXPECT_EQ(m.Write(big.data(), static_cast<int>(big.size())), static_cast<int>(big.size()));
    const long total = 3 + static_cast<long>(big.size());
    EXPECT_EQ(m.GetLength(), total);
    EXPECT_EQ(m.GetBlockCount(),
        static_cast<int>((total + CMemFile::kBlockSize - 1) / CMemFile::kBlockSize));

    // Exactly one block's worth fills one block, one byte more takes a second.
    CMemFile exact;
    std::vector<char> block(CMemFile::kBlockSize, 'e');
    exact.Write(block.data(), CMemFile::kBlockSize);
    EXPECT_EQ(exact.GetBlockCount(), 1);
    exact.Write("+", 1);
    EXPECT_EQ(exact.GetBlockCount(), 2);

    ASSERT_TRUE(m.seek(0));
    std::vector<char> back(static_cast<size_t>(total) + 50, 0);
    EXPECT_EQ(
        m.Read(back.data(), static_cast<int>(back.size())), total); // at most length - position
    EXPECT_EQ(std::memcmp(back.data(), "abc", 3), 0);
    EXPECT_EQ(std::memcmp(back.data() + 3, big.data(), big.size()), 0);
    EXPECT_EQ(m.Read(back.data(), 10), 0);
    const QByteArray all = m.GetData();
    EXPECT_EQ(all.size(), total);
    EXPECT_EQ(std::memcmp(all.constData() + 3, big.data(), big.size()), 0);
}

TEST(MemoryFile, SeekBoundsAndOverwriteInPlace)
{
    CMemFile m;
    m.Write("0123456789", 10);
    EXPECT_TRUE(m.seek(10)); // the end itself is allowed
    EXPECT_FALSE(m.seek(11));
    EXPECT_EQ(m.pos(), 10);
    EXPECT_FALSE(m.seek(-1));
    EXPECT_EQ(m.pos(), 10);
    ASSERT_TRUE(m.seek(4));
    m.Write("ab", 2);
    EXPECT_EQ(m.GetLength(), 10); // overwrite does not lengthen
    EXPECT_EQ(m.pos(), 6);
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 3), 3);
    EXPECT_STREQ(buf, "678");
    EXPECT_EQ(m.GetData(), QByteArray("0123ab6789"));
    EXPECT_EQ(m.Write(nullptr, 5), 0);
    EXPECT_EQ(m.Write("x", -1), 0);
    EXPECT_EQ(m.GetLength(), 10);

    // Writing across a block edge after a seek back.
    CMemFile edge;
    std::vector<char> fill(CMemFile::kBlockSize + 10, '.');
    edge.Write(fill.data(), static_cast<int>(fill.size()));
    ASSERT_TRUE(edge.seek(CMemFile::kBlockSize - 2));
    edge.Write("WXYZ", 4);
    ASSERT_TRUE(edge.seek(CMemFile::kBlockSize - 3));
    char got[7] = {};
    EXPECT_EQ(edge.Read(got, 6), 6);
    EXPECT_STREQ(got, ".WXYZ.");
}

TEST(TimeOfDay, FormatsWithTimeLettersAndCopiesTheRest)
{
    const CTime t(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9)));
    EXPECT_EQ(t.Format("hh:mm:ss"), "07:08:09");
    EXPECT_EQ(t.Format("h-m-s"), "7-8-9");
    EXPECT_EQ(CTime().Format("hh"), "");
    const CTime now = CTime::GetCurrentTime();
    EXPECT_GT(now.GetTime(), 0);
    EXPECT_EQ(now.Format("hh").GetLength(), 2);
}
