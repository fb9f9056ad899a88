#include "CString.h"
#include <gtest/gtest.h>
#include <string>

TEST(Text, SearchesAndSubstringsStayInsideTheText)
{
    const CString s("axbx");
    EXPECT_EQ(s.Find('x'), 1);
    EXPECT_EQ(s.Find('x', 2), 3);
    EXPECT_EQ(s.Find('a', -3), 0); // a negative start does not count from the end
    EXPECT_EQ(s.Find('x', 4), -1);
    EXPECT_EQ(s.Find("x", 99), -1);
    EXPECT_EQ(s.Find("BX", 0), -1);
    const CString t("abcdef");
    EXPECT_EQ(t.Left(100), "abcdef");
    EXPECT_EQ(t.Left(-1), "");
    EXPECT_EQ(t.Mid(2, -1), "cdef");
    EXPECT_EQ(t.Mid(4, 100), "ef");
    EXPECT_EQ(t.Mid(60, 2), "");
    EXPECT_EQ(t.GetAt(10), 0);
}

TEST(Text, EditingAndCase)
{
    CString r("banana");
    EXPECT_EQ(r.Remove('a'), 3);
    EXPECT_EQ(r, "bnn");
    EXPECT_EQ(CString("abc").CompareNoCase("ABC"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_NE(CString("abc").Compare("ABC"), 0);
}

TEST(Text, CopiesStopAtTheZeroAndAreIndependent)
{
    EXPECT_EQ(CString("hello", 3), "hel");
    EXPECT_EQ(CString("hi", 50), "hi");
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)), "");
    CString a("hel");
    CString b(a);
    b.Remove('h');
    EXPECT_EQ(a, "hel");
}

TEST(Text, FormatKeepsLongResultsWholeUpToTheLimit)
{
    CString s;
    s.Format("%lx %d", 0x1234abcdL, -5);
    EXPECT_EQ(s, "1234abcd -5");
    const std::string longArg(3000, 'y');
    s.Format("<%s>", longArg.c_str());
    EXPECT_EQ(std::string(static_cast<const char*>(s)), "<" + longArg + ">");
    const std::string huge(CString::kFormatLimit * 3, 'z');
    s.Format("%s!", huge.c_str());
    EXPECT_EQ(s.GetLength(), CString::kFormatLimit);
    s.Format("%*d", 1000000, 7);
    EXPECT_EQ(s.GetLength(), CString::kFormatLimit);
    CString self("abc"); // formatting from its own 8-bit copy
    self.Format("%s-%s", static_cast<const char*>(self), "x");
    EXPECT_EQ(self, "abc-x");
}
