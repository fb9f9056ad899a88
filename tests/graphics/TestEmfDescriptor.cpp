// Reading panel descriptions: the record grammar, scaling after OUTLINE and
// what malformed or missing files do.

#include "MessageBoxScript.h"
#include "RecordingDesc.h"
#include "TestEnv.h"

#include <fstream>
#include <gtest/gtest.h>

std::string writeTempFile(const std::string& name, const std::string& text)
{
    std::string path = TestEnv::freshDir("desc") + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

namespace {

int ctx;

TEST(EmfDescriptorGrammar, DispatchesEveryKeywordInFileOrderWithCounts)
{
    RecordingDesc d;
    std::string path = writeTempFile("all.txt",
        "OUTLINE 0,0,100,50\nLED 1,2,11,12\n  BUTTON 5,6,7,8 SCREEN 9,9,9,9\r\n"
        "WHEEL -3,-4,5,6\nLED 20,20,24,36\n");
    ASSERT_TRUE(d.Load(path.c_str(), &ctx));
    ASSERT_EQ(d.calls.size(), 6u);
    const char* order[] = { "OUTLINE", "LED", "BUTTON", "SCREEN", "WHEEL", "LED" };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(d.calls[i].what, order[i]) << i;
        EXPECT_EQ(d.calls[i].context, &ctx);
    }
    EXPECT_EQ(d.calls[4].r, CRect(-3, -4, 5, 6));
    EXPECT_EQ(d.GetOutline(), CRect(0, 0, 100, 50));
    EXPECT_EQ(d.GetLedCount(), 2);
    EXPECT_EQ(d.GetButtonCount(), 1);
    EXPECT_EQ(d.GetLargestLedSize(), 16); // the second LED is 4 by 16
    EXPECT_EQ(d.deleteAllCalls, 1);
}

TEST(EmfDescriptorGrammar, KeywordsAreExactAndCaseSensitive)
{
    RecordingDesc d;
    std::string path = writeTempFile("case.txt",
        "led 1,1,2,2\nLed 1,1,2,2\nLEDS 1,1,2,2\nOUTLINE: 1,1,2,2\nbutton 1,1,2,2\nLED 3,3,4,4\n");
    ASSERT_TRUE(d.Load(path.c_str(), nullptr));
    ASSERT_EQ(d.calls.size(), 1u);
    EXPECT_EQ(d.calls[0].r, CRect(3, 3, 4, 4));
    EXPECT_EQ(d.GetLedCount(), 1);
    EXPECT_EQ(d.GetButtonCount(), 0);
}

TEST(EmfDescriptorGrammar, EmptyFileLoadsWithZeroCounts)
{
    RecordingDesc d;
    std::string path = writeTempFile("empty.txt", "");
    EXPECT_TRUE(d.Load(path.c_str(), nullptr));
    EXPECT_TRUE(d.calls.empty());
    EXPECT_EQ(d.GetLedCount(), 0);
    EXPECT_EQ(d.GetButtonCount(), 0);
    EXPECT_EQ(d.GetLargestLedSize(), 0);
    EXPECT_EQ(d.GetScale(), 0.0);

    std::string blank = writeTempFile("blank.txt", " \n\t\r\n  ");
    EXPECT_TRUE(d.Load(blank.c_str(), nullptr));
    EXPECT_TRUE(d.calls.empty());
}

TEST(EmfDescriptorMalformed, MissingNumbersKeepThePreviousRecordsValues)
{
    RecordingDesc d;
    std::string path = writeTempFile(
        "short.txt", "LED 1,2,3,4\nLED 9,8\nBUTTON 5,6,7,8\nLED\nBUTTON 7,x,1,1\nLED 1 ,2,3,4\n");
    ASSERT_TRUE(d.Load(path.c_str(), nullptr));
    // "x,1,1" and ",2,3,4" are read as words that name no keyword.
    ASSERT_EQ(d.calls.size(), 6u);
    EXPECT_EQ(d.calls[0].r, CRect(1, 2, 3, 4));
    EXPECT_EQ(d.calls[1].r, CRect(9, 8, 3, 4));
    EXPECT_EQ(d.calls[2].r, CRect(5, 6, 7, 8));
    EXPECT_EQ(d.calls[3].what, "LED");
    EXPECT_EQ(d.calls[3].r, CRect(5, 6, 7, 8)); // LED at a line end: every value from before
    EXPECT_EQ(d.calls[4].r, CRect(7, 6, 7, 8));
    EXPECT_EQ(d.calls[5].r, CRect(1, 6, 7, 8)); // a blank before the comma ends the record
    EXPECT_EQ(d.GetLedCount(), 4);
    EXPECT_EQ(d.GetButtonCount(), 2);
}

TEST(EmfDescriptorMalformed, KeywordAtEndOfFileIsStillDispatched)
{
    RecordingDesc d;
    std::string path = writeTempFile("tail.txt", "BUTTON 1,2,3,4 LED");
    ASSERT_TRUE(d.Load(path.c_str(), nullptr));
    ASSERT_EQ(d.calls.size(), 2u);
    EXPECT_EQ(d.calls[1].what, "LED");
    EXPECT_EQ(d.calls[1].r, CRect(1, 2, 3, 4));
}

TEST(EmfDescriptorMalformed, OverlongAndBinaryKeywordsAreReadWholeAndIgnored)
{
    RecordingDesc d;
    std::string longLed = "LED" + std::string(100000, 'x');
    std::string longOutline = std::string(EmfDescriptor::keywordLimit, 'A');
    std::string text = longLed + " 1,1,5,5\n" + longOutline + "B 1,1,1,1\n"
        + std::string("LED\0junk", 8) + " 2,2,3,3\n" + std::string(5000, 'L')
        + "\nBUTTON 1,2,3,4\n";
    std::string path = writeTempFile("long.txt", text);
    ASSERT_TRUE(d.Load(path.c_str(), nullptr));
    ASSERT_EQ(d.calls.size(), 1u);
    EXPECT_EQ(d.calls[0].what, "BUTTON");
    EXPECT_EQ(d.calls[0].r, CRect(1, 2, 3, 4));
    EXPECT_EQ(d.GetLedCount(), 0);
}

TEST(EmfDescriptorMalformed, NumbersBeyondIntAreClampedNotWrapped)
{
    RecordingDesc d;
    d.outlineScale = 4.0;
    std::string path = writeTempFile("huge.txt",
        "LED 99999999999999999999999,-99999999999999999999,0,0\n"
        "OUTLINE 0,0,1,1\nBUTTON 2000000000,-2000000000,+7,-1\n");
    ASSERT_TRUE(d.Load(path.c_str(), nullptr));
    ASSERT_EQ(d.calls.size(), 3u);
    EXPECT_EQ(d.calls[0].r, CRect(INT32_MAX, INT32_MIN, 0, 0));
    // The LED's width and height do not fit in an int either.
    EXPECT_EQ(d.GetLargestLedSize(), INT32_MAX);
    EXPECT_EQ(d.calls[2].r, CRect(INT32_MAX, INT32_MIN, 28, -4));
}

TEST(EmfDescriptorFailure, MissingFileReportsAndReturnsFalse)
{
    MessageBoxScript boxes;
    RecordingDesc d;
    std::string path = TestEnv::freshDir("missing") + "/routing72.txt";
    EXPECT_FALSE(d.Load(path.c_str(), nullptr));
    EXPECT_EQ(d.deleteAllCalls, 1); // regions of an earlier load are gone
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "loading EMF txt");
    EXPECT_EQ(boxes.boxes()[0].text, QString::fromStdString("Cannot load file: " + path));
    EXPECT_EQ(boxes.boxes()[0].icon, 2);
    EXPECT_EQ(boxes.boxes()[0].buttons, std::vector<int>({ IDBOX_OK }));
}

TEST(EmfDescriptorFailure, FolderOrNullPathIsNotADescription)
{
    MessageBoxScript boxes;
    RecordingDesc d;
    std::string dir = TestEnv::freshDir("adir");
    EXPECT_FALSE(d.Load(dir.c_str(), nullptr));
    EXPECT_FALSE(d.Load(nullptr, nullptr));
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, QString::fromStdString("Cannot load file: " + dir));
    EXPECT_EQ(boxes.boxes()[1].text, "Cannot load file: ");
}

TEST(EmfDescriptorScaling, RecordsAfterOutlineAreScaledTowardZero)
{
    RecordingDesc d;
    d.outlineScale = 0.5;
    std::string path = writeTempFile("scale.txt",
        "BUTTON 11,21,31,41\nLED 10,10,20,30\nOUTLINE 0,0,801,401\n"
        "BUTTON 11,21,31,41\nLED -11,-21,9,31\nOUTLINE 0,0,9,9\n");
    ASSERT_TRUE(d.Load(path.c_str(), nullptr));
    ASSERT_EQ(d.calls.size(), 6u);
    EXPECT_EQ(d.calls[0].r, CRect(11, 21, 31, 41)); // before OUTLINE: unscaled
    EXPECT_EQ(d.calls[1].r, CRect(10, 10, 20, 30));
    EXPECT_EQ(d.calls[2].r, CRect(0, 0, 801, 401)); // the outline itself comes before its scale
    EXPECT_EQ(d.calls[3].r, CRect(5, 10, 15, 20));
    EXPECT_EQ(d.calls[4].r, CRect(-5, -10, 4, 15));
    EXPECT_EQ(d.calls[5].r, CRect(0, 0, 4, 4)); // a second outline is scaled like any record
    EXPECT_EQ(d.GetOutline(), CRect(0, 0, 4, 4));
    // The largest LED size counts scaled regions: 20 unscaled, 25 scaled.
    EXPECT_EQ(d.GetLargestLedSize(), 25);
    EXPECT_EQ(d.GetScale(), 0.5);
}

TEST(EmfDescriptorScaling, ReloadStartsUnscaledAndCountsAgain)
{
    RecordingDesc d;
    d.outlineScale = 2.0;
    std::string path = writeTempFile("reload.txt", "LED 1,1,3,3\nOUTLINE 0,0,1,1\nLED 1,1,3,3\n");
    ASSERT_TRUE(d.Load(path.c_str(), nullptr));
    ASSERT_TRUE(d.Load(path.c_str(), nullptr));
    EXPECT_EQ(d.deleteAllCalls, 2);
    ASSERT_EQ(d.calls.size(), 3u);
    EXPECT_EQ(d.calls[0].r, CRect(1, 1, 3, 3));
    EXPECT_EQ(d.calls[2].r, CRect(2, 2, 6, 6));
    EXPECT_EQ(d.GetLedCount(), 2);
    EXPECT_EQ(d.GetLargestLedSize(), 4);
}

TEST(EmfDescriptorScaling, ScaleRectLeavesRectsAloneAtScaleZero)
{
    RecordingDesc d;
    CRect r(-7, 3, 9, 11);
    d.ScaleRect(r);
    EXPECT_EQ(r, CRect(-7, 3, 9, 11));
}

} // namespace
