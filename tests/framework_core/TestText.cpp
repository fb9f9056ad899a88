#include "CString.h"
#include <cstring>
#include <gtest/gtest.h>
#include <string>

TEST(TextSearch, FindReverseFindAndCaseSensitivity)
{
    const CString s("axbx");
    EXPECT_EQ(s.Find('x'), 1);
    EXPECT_EQ(s.ReverseFind('x'), 3);
    EXPECT_EQ(s.Find('X'), -1);
    EXPECT_EQ(s.Find('x', 2), 3);
    EXPECT_EQ(s.Find("bx", 0), 2);
    EXPECT_EQ(s.Find("BX", 0), -1);
    EXPECT_EQ(s.Find("ax", 1), -1);
    // A negative start must not count from the end; a start past the end finds nothing.
    EXPECT_EQ(s.Find('a', -3), 0);
    EXPECT_EQ(s.Find('x', 4), -1);
    EXPECT_EQ(s.Find("x", 99), -1);
    EXPECT_EQ(s.ReverseFind('q'), -1);
    EXPECT_EQ(s.FindOneOf("qbx"), 1);
    EXPECT_EQ(s.FindOneOf("QB"), -1);
    EXPECT_EQ(s.FindOneOf(""), -1);
}

TEST(TextSubstrings, LeftRightMidClampToWhatIsThere)
{
    const CString s("abcdef");
    EXPECT_EQ(s.Left(2), "ab");
    EXPECT_EQ(s.Left(100), "abcdef");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Right(100), "abcdef");
    EXPECT_EQ(s.Mid(2), "cdef");
    EXPECT_EQ(s.Mid(2, -1), "cdef");
    EXPECT_EQ(s.Mid(2, 2), "cd");
    EXPECT_EQ(s.Mid(4, 100), "ef");
    EXPECT_EQ(s.Mid(6), "");
    EXPECT_EQ(s.Mid(60, 2), "");
}

TEST(TextEditing, ReplaceReturnsZeroRemoveReturnsCount)
{
    CString s("a-b-c");
    EXPECT_EQ(s.Replace("-", "+="), 0);
    EXPECT_EQ(s, "a+=b+=c");
    EXPECT_EQ(s.Replace('=', '_'), 0);
    EXPECT_EQ(s, "a+_b+_c");
    CString t("Abab");
    t.Replace("ab", "X"); // case-sensitive: the leading "Ab" stays
    EXPECT_EQ(t, "AbX");
    CString r("banana");
    EXPECT_EQ(r.Remove('a'), 3);
    EXPECT_EQ(r, "bnn");
    EXPECT_EQ(r.Remove('z'), 0);
    CString set("abc");
    set.SetAt(1, 'Z');
    set.SetAt(3, 'Q'); // past the end: ignored
    set.SetAt(-1, 'Q');
    EXPECT_EQ(set, "aZc");
}

TEST(TextCase, UpperLowerAndNoCaseComparison)
{
    EXPECT_EQ(CString("abc").CompareNoCase("ABC"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("b").CompareNoCase("A"), 0);
    EXPECT_NE(CString("abc").Compare("ABC"), 0);
    CString s("MiXed 1");
    s.MakeUpper();
    EXPECT_EQ(s, "MIXED 1");
    s.MakeLower();
    EXPECT_EQ(s, "mixed 1");
}

TEST(TextTrim, ControlCharactersAndSets)
{
    std::string body(5000, 'k');
    body += " tail";
    CString s((std::string("\t ") + body).c_str());
    s.TrimLeft();
    EXPECT_EQ(s.GetLength(), static_cast<int>(body.size()));
    EXPECT_EQ(std::string(static_cast<const char*>(s)), body);

    CString r("x \r\n\x01");
    r.TrimRight();
    EXPECT_EQ(r, "x");
    CString allBlank(" \t ");
    allBlank.TrimLeft();
    EXPECT_TRUE(allBlank.IsEmpty());

    CString c("xxaxx");
    c.TrimLeft('x');
    EXPECT_EQ(c, "axx");
    c.TrimRight('x');
    EXPECT_EQ(c, "a");
    CString set("-+-value+-");
    set.TrimLeft("+-");
    set.TrimRight("-+");
    EXPECT_EQ(set, "value");
    CString keep(" a ");
    keep.TrimLeft("x");
    EXPECT_EQ(keep, " a ");
}

TEST(TextConversion, EightBitCopyAndIndependentCopies)
{
    CString a("hello", 3);
    EXPECT_EQ(a, "hel");
    // n past the terminating zero must stop at the zero.
    EXPECT_EQ(CString("hi", 50), "hi");
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(CString('q'), "q");

    CString b(a);
    b.SetAt(0, 'X');
    EXPECT_EQ(a, "hel");
    EXPECT_EQ(b, "Xel");

    // The 8-bit form is UTF-8 both ways, for any letter, also through Format.
    const char utf8[] = "J\xc3\xbcrgen \xce\xa9 \xe2\x82\xac";
    const CString u(utf8);
    EXPECT_EQ(u.toQString(), QString::fromUtf8(utf8));
    EXPECT_STREQ(static_cast<const char*>(u), utf8);
    CString f;
    f.Format("%s/x", utf8);
    EXPECT_EQ(f.toQString(), QString::fromUtf8(utf8) + "/x");

    CString cat = CString("a") + "b" + 'c' + CString("d");
    EXPECT_EQ(cat, "abcd");
    EXPECT_EQ("x" + CString("y"), "xy");
    EXPECT_EQ(cat[2], 'c');
    EXPECT_EQ(cat[size_t(3)], 'd');
    EXPECT_EQ(cat.GetAt(10), 0);
}

TEST(TextFormat, ResultsThatFitAreUnchangedLongOnesAreBounded)
{
    CString s;
    s.Format("%lx %d", 0x1234abcdL, -5);
    EXPECT_EQ(s, "1234abcd -5");

    // Longer than the old fixed buffer (about 540 characters): kept whole.
    const std::string longArg(3000, 'y');
    s.Format("<%s>", longArg.c_str());
    EXPECT_EQ(s.GetLength(), 3002);
    EXPECT_EQ(std::string(static_cast<const char*>(s)), "<" + longArg + ">");

    // A huge argument is cut at the limit, never written past a buffer.
    const std::string huge(CString::kFormatLimit * 3, 'z');
    s.Format("%s!", huge.c_str());
    EXPECT_EQ(s.GetLength(), CString::kFormatLimit);
    EXPECT_EQ(s.Find('!'), -1);
    s.Format("%*d", 1000000, 7);
    EXPECT_EQ(s.GetLength(), CString::kFormatLimit);

    // Formatting a string from its own 8-bit copy.
    CString self("abc");
    self.Format("%s-%s", static_cast<const char*>(self), "x");
    EXPECT_EQ(self, "abc-x");
}

TEST(TextResources, OnlyTheFontNameIsKnown)
{
    CString s("keep");
    EXPECT_FALSE(s.LoadString(104));
    EXPECT_EQ(s, "keep");
    EXPECT_TRUE(s.LoadString(103));
    EXPECT_EQ(s, "Arial");
}
