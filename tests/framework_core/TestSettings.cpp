// Profile calls, persistent colours and rectangles against real ini files.
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

// A fresh ini file per test, with a store on it registered for the profile calls.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = QString::fromStdString(TestEnv::freshDir("ini")) + "/q.ini";
        reopen();
    }
    void TearDown() override { SetProfileStore(nullptr); }
    // Flushes and closes the store, as the application does at exit, and opens another.
    void reopen()
    {
        SetProfileStore(nullptr);
        m_store.reset();
        m_store = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
        SetProfileStore(m_store.get());
    }
    QString fileText()
    {
        m_store->sync();
        QFile f(m_path);
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }

    QString m_path;
    std::unique_ptr<QSettings> m_store;
};

} // namespace

TEST_F(SettingsFile, ValuesColoursAndRectanglesSurviveReopeningTheStore)
{
    EXPECT_TRUE(WriteProfileInt("Main", "Style", 3));
    EXPECT_TRUE(WriteProfileString("Comms", "InPort", "Port 1, client 14"));
    EXPECT_TRUE(WriteProfileString("Comms", "Empty", ""));
    EXPECT_TRUE(WriteProfileString("Comms", "Gone", "x"));
    EXPECT_TRUE(WriteProfileString("Comms", "Gone", nullptr));
    {
        NVColor node("Normal_node", 0xFF0000FFu);
        node = 0xFF00FF00u;
        NVColor back("Background", 0xFF000000u, "Colours");
        back = 0xFFFFFFFFu;
        NVRect sizer("Sizer");
        sizer.rect = CRect(40, 60, 840, 660);
        EXPECT_FALSE(m_store->contains("Nerilune/Sizer")); // written when it goes
    }
    const QString text = fileText();
    EXPECT_TRUE(text.contains("Normal_node=-16711936")); // signed decimal of the whole value
    EXPECT_TRUE(text.contains("[Colours]"));
    EXPECT_FALSE(text.contains("Gone"));
    reopen();
    EXPECT_EQ(GetProfileInt("Main", "Style", 0), 3);
    EXPECT_STREQ(GetProfileString("Comms", "InPort", "none"), "Port 1, client 14");
    EXPECT_STREQ(GetProfileString("Comms", "Empty", "def"), ""); // empty is a value
    EXPECT_STREQ(GetProfileString("Comms", "Gone", "def"), "def");
    EXPECT_EQ(NVColor("Normal_node", 0xFF0000FFu).Get(), 0xFF00FF00u);
    EXPECT_EQ(NVColor("Background", 0, "Colours").Get(), 0xFFFFFFFFu);
    EXPECT_EQ(NVRect("Sizer").rect, CRect(40, 60, 840, 660));
}

TEST_F(SettingsFile, ColourIsReadOnceAndSettingItsDefaultRemovesTheEntry)
{
    NVColor c("Disabled", 0xFFDCDCDCu);
    WriteProfileString("Nerilune", "Disabled", "-256");
    EXPECT_EQ(c.Get(), 0xFFFFFF00u);
    WriteProfileString("Nerilune", "Disabled", "-1"); // cached: not seen,
    EXPECT_EQ(c.Get(), 0xFFFFFF00u);
    c = 0xFFFFFF00u; // and assigning the value it holds writes nothing
    EXPECT_STREQ(GetProfileString("Nerilune", "Disabled", ""), "-1");
    c = 0xFFDCDCDCu;
    EXPECT_FALSE(fileText().contains("Disabled"));

    // Colour variables exist before the application opens its store.
    WriteProfileString("Nerilune", "Destination_node", "-16776961");
    SetProfileStore(nullptr);
    NVColor early("Destination_node", 0xFFFF0000u);
    EXPECT_EQ(early.Get(), 0xFFFF0000u);
    SetProfileStore(m_store.get());
    EXPECT_EQ(early.Get(), 0xFF0000FFu);
}

TEST_F(SettingsFile, HandWrittenFileReadsAsWrittenAndNumbersAreReadStrictly)
{
    m_store.reset();
    QFile f(m_path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    // Bare commas make the toolkit split a value; it must still read whole.
    f.write("[Nerilune]\nSizer=40,60,840,660\n[Main]\nStyle=abc\nHalf=12abc\nSpaced= 17 \n");
    f.close();
    reopen();
    EXPECT_STREQ(GetProfileString("Nerilune", "Sizer", ""), "40,60,840,660");
    EXPECT_EQ(NVRect("Sizer").rect, CRect(40, 60, 840, 660));
    EXPECT_EQ(GetProfileInt("Main", "Style", 5), 0);
    EXPECT_EQ(GetProfileInt("Main", "Half", 5), 0);
    EXPECT_EQ(GetProfileInt("Main", "Spaced", 5), 17);
    EXPECT_EQ(GetProfileInt("Main", "Absent", 5), 5);
}

TEST_F(SettingsFile, WithoutALiveStoreCallsGiveDefaultsAndStoreNothing)
{
    auto gone = std::make_unique<QSettings>(m_path + "2", QSettings::IniFormat);
    SetProfileStore(gone.get());
    gone.reset(); // deleted without being unregistered: absent, not freed memory
    EXPECT_EQ(GetProfileStore(), nullptr);
    EXPECT_STREQ(GetProfileString("Main", "X", "fallback"), "fallback");
    EXPECT_EQ(GetProfileInt("Main", "Style", 4), 4);
    EXPECT_FALSE(WriteProfileInt("Main", "Style", 1));
    NVColor c("Background", 0xFF123456u);
    c = 0xFF000000u;
    EXPECT_EQ(c.Get(), 0xFF000000u);
}

TEST(RectangleText, ParsesLeadingNumbersFieldByField)
{
    const std::pair<const char*, CRect> cases[] = {
        { "", CRect(0, 0, 0, 0) },
        { "5,6", CRect(5, 6, 0, 0) },
        { "-10,-20,30,40", CRect(-10, -20, 30, 40) },
        { "1,2,3,4,5", CRect(1, 2, 3, 4) },
        { ",,,9", CRect(0, 0, 0, 9) },
        { "a,2,b,4", CRect(0, 2, 0, 4) },
        { "12px,34,56,78", CRect(12, 34, 56, 78) },
        { "99999999999,-99999999999,0,0", CRect(INT_MAX, INT_MIN, 0, 0) },
    };
    for (const auto& [text, rect] : cases)
        EXPECT_EQ(NVRect::Parse(text), rect) << text;
    EXPECT_EQ(NVRect::Parse(nullptr), CRect(0, 0, 0, 0));
    EXPECT_STREQ(NVRect::Format(CRect(-5, 0, 840, 660)), "-5,0,840,660");
}
