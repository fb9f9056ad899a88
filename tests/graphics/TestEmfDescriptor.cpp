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

// The records handed over, as "KIND l,t,r,b" joined by "; ".
std::string render(const RecordingDesc& d)
{
    std::string out;
    for (const DescCall& c : d.calls)
        out += (out.empty() ? "" : "; ") + c.what + " " + std::to_string(c.r.left) + ","
            + std::to_string(c.r.top) + "," + std::to_string(c.r.right) + ","
            + std::to_string(c.r.bottom);
    return out;
}

TEST(EmfDescriptor, RecordsAreDispatchedInFileOrderAndMalformedOnesReadAsTheReaderDoes)
{
    const std::string longLed = "LED" + std::string(100000, 'x');
    const std::string longOutline = std::string(EmfDescriptor::keywordLimit, 'A') + "B";
    const struct {
        std::string text, records;
        int leds, buttons, largest; // largest LED side, -1: not checked
    } cases[] = {
        { "OUTLINE 0,0,100,50\nLED 1,2,11,12\n  BUTTON 5,6,7,8 SCREEN 9,9,9,9\r\n"
          "WHEEL -3,-4,5,6\nLED 20,20,24,36\n",
            "OUTLINE 0,0,100,50; LED 1,2,11,12; BUTTON 5,6,7,8; SCREEN 9,9,9,9; WHEEL -3,-4,5,6; "
            "LED 20,20,24,36",
            2, 1, 16 },
        // Keywords are exact and case-sensitive.
        { "led 1,1,2,2\nLed 1,1,2,2\nLEDS 1,1,2,2\nOUTLINE: 1,1,2,2\nbutton 1,1,2,2\nLED 3,3,4,4\n",
            "LED 3,3,4,4", 1, 0, 1 },
        // Missing numbers keep the previous record's; "x,1,1" and ",2,3,4" are words.
        { "LED 1,2,3,4\nLED 9,8\nBUTTON 5,6,7,8\nLED\nBUTTON 7,x,1,1\nLED 1 ,2,3,4\n",
            "LED 1,2,3,4; LED 9,8,3,4; BUTTON 5,6,7,8; LED 5,6,7,8; BUTTON 7,6,7,8; LED 1,6,7,8", 4,
            2, -1 },
        { "BUTTON 1,2,3,4 LED", "BUTTON 1,2,3,4; LED 1,2,3,4", 1, 1, 2 }, // keyword at the end
        // Overlong and binary keywords are read whole and ignored.
        { longLed + " 1,1,5,5\n" + longOutline + " 1,1,1,1\n" + std::string("LED\0junk", 8)
                + " 2,2,3,3\n" + std::string(5000, 'L') + "\nBUTTON 1,2,3,4\n",
            "BUTTON 1,2,3,4", 0, 1, 0 },
        // Numbers beyond int are clamped, not wrapped.
        { "LED 99999999999999999999999,-99999999999999999999,0,0\n",
            "LED 2147483647,-2147483648,0,0", 1, 0, INT32_MAX },
        { " \n\t\r\n  ", "", 0, 0, 0 },
    };
    int context;
    for (const auto& c : cases) {
        RecordingDesc d;
        ASSERT_TRUE(d.Load(writeTempFile("d.txt", c.text).c_str(), &context));
        EXPECT_EQ(render(d), c.records);
        for (const DescCall& call : d.calls) {
            EXPECT_EQ(call.context, &context);
        }
        EXPECT_EQ(d.GetLedCount(), c.leds) << c.records;
        EXPECT_EQ(d.GetButtonCount(), c.buttons) << c.records;
        if (c.largest >= 0) {
            EXPECT_EQ(d.GetLargestLedSize(), c.largest) << c.records;
        }
    }
}

TEST(EmfDescriptor, RecordsAfterOutlineAreScaledTowardZeroAndAReloadStartsUnscaled)
{
    RecordingDesc d;
    d.outlineScale = 0.5;
    const std::string path = writeTempFile("scale.txt",
        "BUTTON 11,21,31,41\nLED 10,10,20,30\nOUTLINE 0,0,801,401\n"
        "BUTTON 11,21,31,41\nLED -11,-21,9,31\nOUTLINE 0,0,9,9\n");
    for (int load = 0; load < 2; ++load) {
        ASSERT_TRUE(d.Load(path.c_str(), nullptr));
        // The outline comes before its scale; a second outline is scaled like any record.
        EXPECT_EQ(render(d),
            "BUTTON 11,21,31,41; LED 10,10,20,30; OUTLINE 0,0,801,401; BUTTON 5,10,15,20; "
            "LED -5,-10,4,15; OUTLINE 0,0,4,4");
        EXPECT_EQ(d.GetOutline(), CRect(0, 0, 4, 4));
        EXPECT_EQ(d.GetLargestLedSize(), 25); // 20 unscaled, 25 scaled
        EXPECT_EQ(d.GetLedCount(), 2);
    }
    EXPECT_EQ(d.deleteAllCalls, 2);
}

TEST(EmfDescriptor, AFileThatCannotBeReadIsReportedAndClearsTheRegions)
{
    MessageBoxScript boxes;
    RecordingDesc d;
    const std::string path = TestEnv::freshDir("missing") + "/routing72.txt";
    const std::string dir = TestEnv::freshDir("adir");
    EXPECT_FALSE(d.Load(path.c_str(), nullptr));
    EXPECT_EQ(d.deleteAllCalls, 1); // regions of an earlier load are gone
    EXPECT_FALSE(d.Load(dir.c_str(), nullptr));
    EXPECT_FALSE(d.Load(nullptr, nullptr));
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[0].caption, "loading EMF txt");
    EXPECT_EQ(boxes.boxes()[0].text, QString::fromStdString("Cannot load file: " + path));
    EXPECT_EQ(boxes.boxes()[1].text, QString::fromStdString("Cannot load file: " + dir));
    EXPECT_EQ(boxes.boxes()[2].text, "Cannot load file: ");
}

} // namespace
