#include "CStringRoutines.h"
#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

TEST(TextRoutinesNumbers, RadixDigitsAndSign)
{
    char buf[80];
    EXPECT_STREQ(itoa(255, buf, 16), "ff");
    EXPECT_STREQ(itoa(-42, buf, 10), "-42");
    EXPECT_STREQ(itoa(5, buf, 2), "101");
    EXPECT_STREQ(itoa(0, buf, 8), "0");
    EXPECT_STREQ(itoa(-1, buf, 16), "ffffffff"); // no '-' outside radix 10
    EXPECT_STREQ(itoa(INT_MIN, buf, 10), "-2147483648");
    std::strcpy(buf, "junk");
    EXPECT_STREQ(itoa(12, buf, 17), "");
    std::strcpy(buf, "junk");
    EXPECT_STREQ(itoa(12, buf, 1), "");
    EXPECT_STREQ(ltoa(-1234567L, buf, 10), "-1234567");
    EXPECT_STREQ(ltoa(0x7a1bL, buf, 16), "7a1b");
}

TEST(TextRoutinesCompare, UpperCasedDifferences)
{
    EXPECT_EQ(stricmp("abc", "ABC"), 0);
    EXPECT_EQ(stricmp("abd", "ABC"), 'D' - 'C');
    EXPECT_EQ(stricmp("ab", "abc"), -'C');
    EXPECT_EQ(strnicmp("abcX", "ABCy", 3), 0);
    EXPECT_NE(strnicmp("abcX", "ABCy", 4), 0);
    EXPECT_EQ(stricmp(nullptr, ""), 0);
}

TEST(TextRoutinesFill, StrnsetStopsAtTheEnd)
{
    char s[8] = "abc";
    s[4] = 'k'; // past the terminator: must survive
    strnset(s, '*', 100);
    EXPECT_STREQ(s, "***");
    EXPECT_EQ(s[4], 'k');
    char t[] = "abcdef";
    strnset(t, '-', 2);
    EXPECT_STREQ(t, "--cdef");
}

TEST(TextRoutinesFormat, SnprintfHonoursItsSize)
{
    char buf[16];
    std::memset(buf, 'Q', sizeof buf);
    EXPECT_EQ(_snprintf(buf, 8, "%s", "fits"), 4);
    EXPECT_STREQ(buf, "fits");

    std::memset(buf, 'Q', sizeof buf);
    const std::string huge(100000, 'w');
    EXPECT_EQ(_snprintf(buf, 8, "%s", huge.c_str()), -1);
    EXPECT_EQ(std::strlen(buf), 7u);
    for (size_t i = 8; i < sizeof buf; ++i) {
        EXPECT_EQ(buf[i], 'Q') << "byte " << i << " written past the size";
    }
    // Exactly filling the buffer including the zero still fits.
    EXPECT_EQ(_snprintf(buf, 5, "%d", 1234), 4);
    EXPECT_STREQ(buf, "1234");
    EXPECT_EQ(_snprintf(buf, 0, "%d", 1), -1);
    EXPECT_EQ(buf[0], '1'); // n = 0 writes nothing
}
