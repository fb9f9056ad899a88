// Persistent colours: encoding, lazy loading and write-on-change.
#include "NVColor.h"
#include "ProfileStore.h"
#include "TestEnv.h"

#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ColorStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = QString::fromStdString(TestEnv::freshDir("colour")) + "/c.ini";
        reopen();
    }
    void TearDown() override
    {
        SetProfileStore(nullptr);
        m_store.reset();
    }
    // Flushes and closes the store, then opens a new one on the same file.
    void reopen()
    {
        SetProfileStore(nullptr);
        if (m_store)
            m_store->sync();
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

TEST(ColorText, IsTheSignedDecimalOfTheWholeValue)
{
    EXPECT_STREQ(NVColor::ToText(0xFF00FF00u), "-16711936");
    EXPECT_STREQ(NVColor::ToText(0xFFFFFFFFu), "-1");
    EXPECT_STREQ(NVColor::ToText(0x7FFFFFFFu), "2147483647");
    EXPECT_STREQ(NVColor::ToText(0x80000000u), "-2147483648");
    EXPECT_EQ(NVColor::FromText("-16711936"), 0xFF00FF00u);
    EXPECT_EQ(NVColor::FromText("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(NVColor::FromText("4278255360"), 0xFF00FF00u); // unsigned form reads too
    EXPECT_EQ(NVColor::FromText("12xyz"), 12u);
    EXPECT_EQ(NVColor::FromText("green"), 0u);
    EXPECT_EQ(NVColor::FromText(""), 0u);
    EXPECT_EQ(NVColor::FromText(nullptr), 0u);
}

TEST_F(ColorStore, ChangedColourIsStoredAndReadBackByAnotherStore)
{
    {
        NVColor c("Normal_node", 0xFF0000FFu);
        EXPECT_EQ(c.Get(), 0xFF0000FFu);
        c = 0xFF00FF00u;
        EXPECT_EQ(c.Get(), 0xFF00FF00u);
        NVColor white("Background", 0xFF000000u, "Colours");
        white = 0xFFFFFFFFu;
    }
    const QString text = fileText();
    EXPECT_TRUE(text.contains("[Nerilune]"));
    EXPECT_TRUE(text.contains("Normal_node=-16711936"));
    EXPECT_TRUE(text.contains("[Colours]"));
    EXPECT_TRUE(text.contains("Background=-1"));

    reopen();
    NVColor c("Normal_node", 0xFF0000FFu);
    EXPECT_EQ(c.Get(), 0xFF00FF00u);
    NVColor white("Background", 0xFF000000u, "Colours");
    EXPECT_EQ(white.Get(), 0xFFFFFFFFu);
}

TEST_F(ColorStore, SettingTheDefaultRemovesTheEntry)
{
    WriteProfileString("Nerilune", "Selected_line", "-65536");
    NVColor c("Selected_line", 0xFF000000u);
    // Assigned before ever being read: still compared with the stored colour.
    c = 0xFF000000u;
    EXPECT_FALSE(m_store->contains("Nerilune/Selected_line"));
    EXPECT_FALSE(fileText().contains("Selected_line"));
    EXPECT_EQ(c.Get(), 0xFF000000u);
    reopen();
    NVColor again("Selected_line", 0xFF000000u);
    EXPECT_EQ(again.Get(), 0xFF000000u);
}

TEST_F(ColorStore, ValueIsReadOnceAndUnchangedAssignmentsWriteNothing)
{
    NVColor c("Disabled", 0xFFDCDCDCu);
    WriteProfileString("Nerilune", "Disabled", "-256");
    EXPECT_EQ(c.Get(), 0xFFFFFF00u);
    // Cached: a later change behind its back is not seen...
    WriteProfileString("Nerilune", "Disabled", "-1");
    EXPECT_EQ(c.Get(), 0xFFFFFF00u);
    // ...and assigning the value it holds writes nothing.
    c = 0xFFFFFF00u;
    EXPECT_STREQ(GetProfileString("Nerilune", "Disabled", ""), "-1");
}

TEST_F(ColorStore, ColourMadeBeforeTheStoreLoadsOnceTheStoreIsThere)
{
    WriteProfileString("Nerilune", "Destination_node", "-16776961");
    SetProfileStore(nullptr);
    // Colour variables exist before the application opens its store.
    NVColor early("Destination_node", 0xFFFF0000u);
    EXPECT_EQ(early.Get(), 0xFFFF0000u);
    SetProfileStore(m_store.get());
    EXPECT_EQ(early.Get(), 0xFF0000FFu);
    EXPECT_STREQ(early.GetSection(), "Nerilune");
}
