// Profile calls and persistent rectangles against real ini files.
#include "NVColor.h"
#include "NVRect.h"
#include "ProfileStore.h"
#include "TestEnv.h"

#include <QFile>
#include <QSettings>
#include <climits>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A fresh ini path per test, and a store on it registered for the profile calls.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { m_path = QString::fromStdString(TestEnv::freshDir("ini")) + "/q.ini"; }
    void TearDown() override
    {
        SetProfileStore(nullptr);
        m_store.reset();
    }

    QSettings* open()
    {
        m_store = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
        SetProfileStore(m_store.get());
        return m_store.get();
    }
    // Flushes and closes the store, as the application does at exit.
    void close()
    {
        SetProfileStore(nullptr);
        if (m_store)
            m_store->sync();
        m_store.reset();
    }
    QString fileText() const
    {
        QFile f(m_path);
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        return QString::fromLatin1(f.readAll());
    }
    void writeFile(const char* text)
    {
        QFile f(m_path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

    QString m_path;
    std::unique_ptr<QSettings> m_store;
};

} // namespace

TEST_F(SettingsFile, ValuesSurviveClosingAndReopeningTheStore)
{
    open();
    EXPECT_TRUE(WriteProfileInt("Main", "Style", 3));
    EXPECT_TRUE(WriteProfileInt("Comms", "MidiID", -7));
    EXPECT_TRUE(WriteProfileString("Comms", "InPort", "Port 1, client 14"));
    EXPECT_TRUE(WriteProfileString("Comms", "Empty", ""));
    EXPECT_TRUE(WriteProfileString("Comms", "Gone", "x"));
    EXPECT_TRUE(WriteProfileString("Comms", "Gone", nullptr));
    close();

    const QString text = fileText();
    EXPECT_TRUE(text.contains("[Main]"));
    EXPECT_TRUE(text.contains("Style=3"));
    EXPECT_FALSE(text.contains("Gone"));

    open();
    EXPECT_EQ(GetProfileInt("Main", "Style", 0), 3);
    EXPECT_EQ(GetProfileInt("Comms", "MidiID", 0), -7);
    EXPECT_STREQ(GetProfileString("Comms", "InPort", "none"), "Port 1, client 14");
    // Present but empty is a value, not an absent entry.
    EXPECT_STREQ(GetProfileString("Comms", "Empty", "def"), "");
    EXPECT_STREQ(GetProfileString("Comms", "Gone", "def"), "def");
    EXPECT_EQ(GetProfileInt("Comms", "Gone", 42), 42);
}

TEST_F(SettingsFile, IntegersReadFromTextThatIsNotANumberAreZero)
{
    open();
    WriteProfileString("Main", "Style", "abc");
    WriteProfileString("Main", "Half", "12abc");
    WriteProfileString("Main", "Spaced", " 17 ");
    EXPECT_EQ(GetProfileInt("Main", "Style", 5), 0);
    EXPECT_EQ(GetProfileInt("Main", "Half", 5), 0);
    EXPECT_EQ(GetProfileInt("Main", "Spaced", 5), 17);
    EXPECT_EQ(GetProfileInt("Main", "Absent", 5), 5);
    // An integer reads back as its text too.
    WriteProfileInt("Main", "N", 99);
    EXPECT_STREQ(GetProfileString("Main", "N", ""), "99");
}

TEST_F(SettingsFile, HandWrittenIniFileReadsAsWritten)
{
    // Bare commas make the toolkit split a value; it must still read whole.
    writeFile("[Nerilune]\nSizer=40,60,840,660\nNormal_node=-16711936\n[Main]\nStyle=2\n");
    open();
    EXPECT_STREQ(GetProfileString("Nerilune", "Sizer", ""), "40,60,840,660");
    EXPECT_EQ(GetProfileInt("Main", "Style", 0), 2);
    NVRect sizer("Sizer");
    EXPECT_EQ(sizer.rect, CRect(40, 60, 840, 660));
    NVColor node("Normal_node", 0xFF0000FFu);
    EXPECT_EQ(node.Get(), 0xFF00FF00u);
}

TEST_F(SettingsFile, WithoutAStoreCallsGiveDefaultsAndStoreNothing)
{
    SetProfileStore(nullptr);
    EXPECT_EQ(GetProfileStore(), nullptr);
    EXPECT_STREQ(GetProfileString("Main", "X", "fallback"), "fallback");
    EXPECT_STREQ(GetProfileString("Main", "X", nullptr), "");
    EXPECT_EQ(GetProfileInt("Main", "Style", 4), 4);
    EXPECT_FALSE(WriteProfileInt("Main", "Style", 1));
    EXPECT_FALSE(WriteProfileString("Main", "X", "y"));
    EXPECT_FALSE(WriteProfileString("Main", "X", nullptr));
    NVColor c("Background", 0xFF123456u);
    EXPECT_EQ(c.Get(), 0xFF123456u);
    c = 0xFF000000u;
    EXPECT_EQ(c.Get(), 0xFF000000u);
    {
        NVRect r("Sizer");
        EXPECT_EQ(r.rect, CRect(0, 0, 0, 0));
        r.rect = CRect(1, 2, 3, 4);
    }
    // A store deleted without being unregistered reads as absent, not freed memory.
    auto gone = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
    SetProfileStore(gone.get());
    gone.reset();
    EXPECT_EQ(GetProfileStore(), nullptr);
    EXPECT_EQ(GetProfileInt("Main", "Style", 6), 6);
}

TEST(RectangleText, ParsesLeadingNumbersFieldByField)
{
    EXPECT_EQ(NVRect::Parse(""), CRect(0, 0, 0, 0));
    EXPECT_EQ(NVRect::Parse(nullptr), CRect(0, 0, 0, 0));
    EXPECT_EQ(NVRect::Parse("5,6"), CRect(5, 6, 0, 0));
    EXPECT_EQ(NVRect::Parse("1,2,3"), CRect(1, 2, 3, 0));
    EXPECT_EQ(NVRect::Parse("7"), CRect(7, 0, 0, 0));
    EXPECT_EQ(NVRect::Parse("40,60,840,660"), CRect(40, 60, 840, 660));
    EXPECT_EQ(NVRect::Parse("-10,-20,30,40"), CRect(-10, -20, 30, 40));
    EXPECT_EQ(NVRect::Parse("1,2,3,4,5"), CRect(1, 2, 3, 4));
    EXPECT_EQ(NVRect::Parse(",,,9"), CRect(0, 0, 0, 9));
    EXPECT_EQ(NVRect::Parse("a,2,b,4"), CRect(0, 2, 0, 4));
    EXPECT_EQ(NVRect::Parse("12px,34,56,78"), CRect(12, 34, 56, 78));
    EXPECT_EQ(NVRect::Parse(" 3, 4,5,6"), CRect(3, 4, 5, 6));
    EXPECT_EQ(NVRect::Parse("99999999999,-99999999999,0,0"), CRect(INT_MAX, INT_MIN, 0, 0));
    EXPECT_STREQ(NVRect::Format(CRect(-5, 0, 840, 660)), "-5,0,840,660");
}

TEST_F(SettingsFile, RectangleIsWrittenOnlyWhenDestroyed)
{
    open();
    {
        NVRect sizer("Sizer");
        EXPECT_EQ(sizer.rect, CRect(0, 0, 0, 0));
        sizer.rect = CRect(40, 60, 840, 660);
        EXPECT_FALSE(GetProfileStore()->contains("Nerilune/Sizer"));
    }
    EXPECT_STREQ(GetProfileString("Nerilune", "Sizer", ""), "40,60,840,660");
    close();
    EXPECT_TRUE(fileText().contains("[Nerilune]"));

    open();
    NVRect again("Sizer");
    EXPECT_EQ(again.rect, CRect(40, 60, 840, 660));
}

TEST_F(SettingsFile, RenamedRectangleLoadsTheOtherEntry)
{
    open();
    WriteProfileString("Nerilune", "A", "1,2,3,4");
    WriteProfileString("Nerilune", "B", "5,6");
    {
        NVRect r("A");
        EXPECT_EQ(r.rect, CRect(1, 2, 3, 4));
        r.ChangeName("B");
        EXPECT_EQ(r.rect, CRect(5, 6, 0, 0));
        r.rect.right = 9;
    }
    // Only the current entry is written back.
    EXPECT_STREQ(GetProfileString("Nerilune", "A", ""), "1,2,3,4");
    EXPECT_STREQ(GetProfileString("Nerilune", "B", ""), "5,6,9,0");
    {
        NVRect unnamed;
        unnamed.rect = CRect(1, 1, 1, 1);
    }
    EXPECT_EQ(GetProfileStore()->allKeys(), QStringList({ "Nerilune/A", "Nerilune/B" }));
}
