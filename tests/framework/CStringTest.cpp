#include "framework/core/CString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CString, TrimsWhiteSpaceAndGivenCharacters)
{
    struct Case {
        const char* text;
        const char* targets; // nullptr: white space
        const char* both;
        const char* left;
        const char* right;
    };
    const Case cases[] = {
        {"  a b \t\r\n", nullptr, "a b", "a b \t\r\n", "  a b"},
        {"", nullptr, "", "", ""},
        {" \t ", nullptr, "", "", ""},
        {"xxabcxx", "x", "abc", "abcxx", "xxabc"},
        {"-+12+-", "+-", "12", "12+-", "-+12"},
        // Bytes above 127 are not white space, whatever the C library thinks.
        {"\xa0x\xa0", nullptr, "\xa0x\xa0", "\xa0x\xa0", "\xa0x\xa0"},
    };
    for (const Case& c : cases) {
        CString both(c.text), left(c.text), right(c.text);
        if (c.targets) {
            both.Trim(c.targets);
            left.TrimLeft(c.targets);
            right.TrimRight(c.targets);
        } else {
            both.Trim();
            left.TrimLeft();
            right.TrimRight();
        }
        EXPECT_STREQ(both, c.both) << "Trim of [" << c.text << "]";
        EXPECT_STREQ(left, c.left) << "TrimLeft of [" << c.text << "]";
        EXPECT_STREQ(right, c.right) << "TrimRight of [" << c.text << "]";
    }
    CString s("..a..");
    s.Trim('.');
    EXPECT_STREQ(s, "a");
}

TEST(CString, CaseInsensitiveComparisonFoldsOnlyAsciiLetters)
{
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    // clang-format off
    const Case cases[] = {
        {"Sin", "sIN", 0}, {"abc", "ABD", -1}, {"", "", 0}, {"a", "", 1},
        {"\xe9", "\xc9", 1},  // e-acute and E-acute in the ANSI page stay different
        {"x\xe9", "X\xe9", 0},
        {"[", "a", -1},       // '[' lies between 'Z' and 'a': no folding of punctuation
        {"\x80", "a", 1},     // high bytes sort after ASCII (unsigned)
    };
    // clang-format on
    for (const Case& c : cases) {
        const int r = CString(c.a).CompareNoCase(c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
    }
    CString upper("a\xe9z");
    upper.MakeUpper();
    EXPECT_STREQ(upper, "A\xe9Z");
    CString lower("A\xc9Z");
    lower.MakeLower();
    EXPECT_STREQ(lower, "a\xc9z");
}

TEST(CString, CompareIsByUnsignedBytes)
{
    EXPECT_LT(CString("a").Compare("\xe9"), 0);
    EXPECT_GT(CString("b").Compare("a"), 0);
    EXPECT_EQ(CString("ab").Compare("ab"), 0);
    EXPECT_TRUE(CString("ab") == "ab");
    EXPECT_TRUE("ab" == CString("ab"));
    EXPECT_TRUE(CString("ab") != CString("aB"));
    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_TRUE(CString("Z") < "a");
}

TEST(CString, FormatHasNoLengthLimit)
{
    const std::string big(100000, 'q');
    CString s;
    s.Format("<%s|%d|%.3f>", big.c_str(), -42, 2.5);
    ASSERT_EQ(s.GetLength(), int(big.size()) + 12);
    EXPECT_EQ(s.Left(1), "<");
    EXPECT_EQ(s.Right(11), "|-42|2.500>");

    // Formatting a string from its own text must not read freed memory.
    CString self("abc");
    self.Format("%s-%s", self.GetString(), self.GetString());
    EXPECT_STREQ(self, "abc-abc");
    self.AppendFormat("%s", self.GetString());
    EXPECT_STREQ(self, "abc-abcabc-abc");
    CString empty("x");
    empty.Format("%s", "");
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(CString, FindAndMidAtTheEnds)
{
    const CString s("abcabc");
    struct FindCase {
        const char* what;
        int start;
        int expected;
    };
    const FindCase finds[] = {
        {"a", 0, 0},   {"a", 1, 3},  {"c", 5, 5},     {"c", 6, -1}, {"c", 100, -1},
        {"c", -1, -1}, {"bc", 4, 4}, {"abcd", 0, -1}, {"x", 0, -1},
    };
    for (const FindCase& f : finds)
        EXPECT_EQ(s.Find(f.what, f.start), f.expected)
            << "Find(" << f.what << ", " << f.start << ")";
    EXPECT_EQ(s.Find('c', 5), 5);
    EXPECT_EQ(s.Find('c', 6), -1);
    EXPECT_EQ(s.ReverseFind('a'), 3);
    EXPECT_EQ(s.ReverseFind('z'), -1);
    EXPECT_EQ(s.FindOneOf("xc"), 2);
    EXPECT_EQ(s.FindOneOf(""), -1);

    struct MidCase {
        int first;
        int count;
        const char* expected;
    };
    const MidCase mids[] = {
        {0, 6, "abcabc"}, {5, 1, "c"},    {5, 10, "c"}, {6, 1, ""},
        {7, 1, ""},       {-2, 3, "abc"}, {2, 0, ""},   {2, -1, ""},
    };
    for (const MidCase& m : mids)
        EXPECT_STREQ(s.Mid(m.first, m.count), m.expected)
            << "Mid(" << m.first << ", " << m.count << ")";
    EXPECT_STREQ(s.Mid(4), "bc");
    EXPECT_STREQ(s.Mid(6), "");
    EXPECT_STREQ(s.Left(10), "abcabc");
    EXPECT_STREQ(s.Left(-1), "");
    EXPECT_STREQ(s.Right(2), "bc");
    EXPECT_STREQ(s.Right(10), "abcabc");
}

TEST(CString, EditingMembers)
{
    CString s("a,b,,c");
    EXPECT_EQ(s.Replace(",", ";;"), 3);
    EXPECT_STREQ(s, "a;;b;;;;c");
    EXPECT_EQ(s.Replace(";;", ""), 3);
    EXPECT_STREQ(s, "abc");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace('b', 'B'), 1);
    EXPECT_EQ(s.Insert(0, "<"), 4);
    EXPECT_EQ(s.Insert(99, '>'), 5);
    EXPECT_STREQ(s, "<aBc>");
    EXPECT_EQ(s.Delete(1, 2), 3);
    EXPECT_STREQ(s, "<c>");
    EXPECT_EQ(s.Delete(2, 99), 2);
    EXPECT_EQ(s.Remove('<'), 1);
    EXPECT_STREQ(s, "c");
    s.SetAt(0, 'd');
    EXPECT_EQ(s[0], 'd');
    EXPECT_EQ(s[s.GetLength()], '\0'); // the terminator ends scanning loops
    EXPECT_EQ(s.GetAt(0), 'd');
    s += "ef";
    s += 'g';
    s += CString("h");
    EXPECT_STREQ(s, "defgh");
    EXPECT_STREQ("<" + s + '>', "<defgh>");
    EXPECT_STREQ(CString('-', 3), "---");
    EXPECT_STREQ(CString("abcdef", 3), "abc");
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, BufferAccess)
{
    CString s;
    char* p = s.GetBuffer(10);
    std::snprintf(p, 11, "%s", "hello");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_STREQ(s, "hello");
    p = s.GetBuffer(0);
    p[0] = 'j';
    s.ReleaseBuffer(4);
    EXPECT_STREQ(s, "jell");
    p = s.GetBufferSetLength(2);
    EXPECT_EQ(s.GetLength(), 2);
    EXPECT_EQ(p[1], 'e');
}

TEST(CString, SpansAndTokens)
{
    const CString s("123abc456");
    EXPECT_STREQ(s.SpanIncluding("0123456789"), "123");
    EXPECT_STREQ(s.SpanExcluding("abc"), "123");
    EXPECT_STREQ(s.SpanIncluding("x"), "");
    EXPECT_STREQ(s.SpanExcluding("x"), "123abc456");

    const CString line("  plot sin(x) ,  x  ");
    std::string tokens;
    int pos = 0;
    for (CString t = line.Tokenize(" ,", pos); pos >= 0; t = line.Tokenize(" ,", pos))
        tokens += std::string("[") + t.GetString() + "]";
    EXPECT_EQ(tokens, "[plot][sin(x)][x]");
    int end = 0;
    EXPECT_TRUE(CString("").Tokenize(",", end).IsEmpty());
    EXPECT_EQ(end, -1);
}

} // namespace
