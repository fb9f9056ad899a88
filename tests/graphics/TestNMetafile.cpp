// The panel picture: loading, its outline, fitting into a display rectangle
// and drawing stretched.

#include "CDC.h"
#include "NMetafile.h"
#include "TestEnv.h"

#include <QImage>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string writePicture(int w, int h, QColor colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    std::string path = TestEnv::freshDir("pic") + "/picture.bmp";
    EXPECT_TRUE(img.save(QString::fromStdString(path), "BMP"));
    return path;
}

TEST(NMetafile, LoadsBmpWithAnInclusiveOutlineAndAnUndecodableOneIsEmpty)
{
    NMetafile pic;
    ASSERT_TRUE(pic.Load(writePicture(801, 401, Qt::red).c_str()));
    CRect o;
    pic.GetOutlineRect(o);
    EXPECT_EQ(o, CRect(0, 0, 800, 400));
    std::string junk = TestEnv::freshDir("junk") + "/routing72.bmp";
    std::ofstream(junk) << "BM this is not a bitmap";
    EXPECT_FALSE(pic.Load(junk.c_str()));
    pic.GetOutlineRect(o);
    EXPECT_EQ(o, CRect(0, 0, -1, -1));
    CRect area(0, 0, 300, 300); // an empty picture does not divide by zero
    EXPECT_EQ(pic.SetDisplayRect(area, 10), 0.0);
    EXPECT_EQ(area, CRect(10, 10, 290, 10));
}

TEST(NMetafile, DisplayFillsTheWidthKeepsTheAspectAndTruncatesTheHeight)
{
    NMetafile pic;
    ASSERT_TRUE(pic.Load(writePicture(801, 301, Qt::red).c_str()));
    CRect area(0, 50, 420, 1000);
    EXPECT_DOUBLE_EQ(pic.SetDisplayRect(area, 10), 0.5);
    EXPECT_EQ(area, CRect(10, 60, 410, 210)); // 60 + trunc(0.5 * 300)
    EXPECT_EQ(pic.GetDisplayRect(), CRect(0, 50, 420, 220));
    CRect odd(0, 0, 266, 0);
    EXPECT_DOUBLE_EQ(pic.SetDisplayRect(odd, 0), 266.0 / 800);
    EXPECT_EQ(odd.bottom, 99); // 99.75 truncated
    CRect negative(0, 0, -80, 0); // narrower than its margins: a negative scale
    EXPECT_DOUBLE_EQ(pic.SetDisplayRect(negative, 10), -0.125);
    EXPECT_EQ(negative.bottom, 10 - 37); // -37.5 truncated toward zero
    ASSERT_TRUE(pic.Load(writePicture(801, 301, Qt::red).c_str()));
    EXPECT_EQ(pic.GetScale(), 1.0); // a new load forgets the display scale
}

TEST(NMetafile, DrawsStretchedIntoTheAreaOnly)
{
    NMetafile pic;
    ASSERT_TRUE(pic.Load(writePicture(101, 51, QColor(200, 0, 0)).c_str()));
    CRect area(0, 0, 220, 500);
    pic.SetDisplayRect(area, 10); // picture in (10, 10, 210, 110)
    ASSERT_EQ(area, CRect(10, 10, 210, 110));

    QImage target(240, 140, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        CDC dc(&target);
        pic.Draw(&dc);
    }
    EXPECT_EQ(target.pixelColor(10, 10), QColor(200, 0, 0));
    EXPECT_EQ(target.pixelColor(209, 109), QColor(200, 0, 0));
    EXPECT_EQ(target.pixelColor(110, 60), QColor(200, 0, 0));
    EXPECT_EQ(target.pixelColor(9, 10), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(210, 60), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(110, 110), QColor(Qt::white));
}

} // namespace
