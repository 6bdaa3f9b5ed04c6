#include "afxtest.h"

#include <mbstring.h>
#include <mbctype.h>

TEST(CString, CopiesShareUntilOneWrites)
{
    CString a("shared text");
    CString b = a;
    EXPECT_EQ((LPCSTR)a, (LPCSTR)b);
    b.SetAt(0, 'S');
    EXPECT_EQ("shared text", a);
    EXPECT_EQ("Shared text", b);
    EXPECT_NE((LPCSTR)a, (LPCSTR)b);

    CString c = a;
    c += "!";
    EXPECT_EQ("shared text", a);
    EXPECT_EQ("shared text!", c);
    c = c; // self-assignment keeps the text
    EXPECT_EQ("shared text!", c);
    c = (LPCSTR)c + 7; // assignment from a piece of itself
    EXPECT_EQ("text!", c);
    c += c;
    EXPECT_EQ("text!text!", c);
}

TEST(CString, ExtractionClampsOutOfRangeCounts)
{
    CString s("abcdef");
    EXPECT_EQ("abc", s.Left(3));
    EXPECT_EQ("abcdef", s.Left(100));
    EXPECT_EQ("", s.Left(-1));
    EXPECT_EQ("def", s.Right(3));
    EXPECT_EQ("abcdef", s.Right(100));
    EXPECT_EQ("", s.Right(-5));
    EXPECT_EQ("cdef", s.Mid(2));
    EXPECT_EQ("cd", s.Mid(2, 2));
    EXPECT_EQ("cdef", s.Mid(2, 1000));
    EXPECT_EQ("ab", s.Mid(-3, 2));
    EXPECT_EQ("", s.Mid(6));
    EXPECT_EQ("", s.Mid(50, 2));
    EXPECT_EQ("", s.Mid(2, -1));
    EXPECT_EQ("", CString().Mid(0, 5));
}

TEST(CString, IndexOutOfRangeRaisesInvalidArgument)
{
    CString s("ab");
    EXPECT_EQ('b', s[1]);
    EXPECT_EQ('\0', s.GetAt(2)); // the terminator may be read
    EXPECT_AFX_THROW(s.GetAt(3), CInvalidArgException);
    EXPECT_AFX_THROW(s.GetAt(-1), CInvalidArgException);
    EXPECT_AFX_THROW(s.SetAt(2, 'x'), CInvalidArgException);
    EXPECT_EQ("ab", s);
}

TEST(CString, Searching)
{
    CString s("one two one");
    EXPECT_EQ(0, s.Find('o'));
    EXPECT_EQ(6, s.Find('o', 1));
    EXPECT_EQ(-1, s.Find('z'));
    EXPECT_EQ(-1, s.Find('o', 100));
    EXPECT_EQ(-1, s.Find('o', -1));
    EXPECT_EQ(8, s.Find("one", 1));
    EXPECT_EQ(0, s.Find(""));
    EXPECT_EQ(-1, s.Find("one", 12));
    EXPECT_EQ(10, s.ReverseFind('e'));
    EXPECT_EQ(-1, s.ReverseFind('x'));
    EXPECT_EQ(3, s.FindOneOf(" w"));
    EXPECT_EQ(-1, s.FindOneOf("xyz"));
}

TEST(CString, ChangingInPlace)
{
    CString s("a.b.c");
    EXPECT_EQ(2, s.Replace('.', '/'));
    EXPECT_EQ("a/b/c", s);
    EXPECT_EQ(2, s.Replace("/", "::"));
    EXPECT_EQ("a::b::c", s);
    EXPECT_EQ(2, s.Replace("::", ""));
    EXPECT_EQ("abc", s);
    EXPECT_EQ(0, s.Replace("", "x"));
    EXPECT_EQ(1, s.Remove('b'));
    EXPECT_EQ("ac", s);
    EXPECT_EQ(3, s.Insert(1, 'b'));
    EXPECT_EQ(5, s.Insert(100, "de"));
    EXPECT_EQ(7, s.Insert(-4, "<>"));
    EXPECT_EQ("<>abcde", s);
    EXPECT_EQ(5, s.Delete(0, 2));
    EXPECT_EQ(2, s.Delete(2, 100));
    EXPECT_EQ("ab", s);
    EXPECT_EQ(2, s.Delete(5, 1));
    EXPECT_EQ(2, s.Delete(0, 0));
    EXPECT_EQ("ba", s.MakeReverse());
    EXPECT_EQ("BA", s.MakeUpper());
    EXPECT_EQ("ba", s.MakeLower());
}

TEST(CString, Trimming)
{
    CString s(" \t text \r\n");
    EXPECT_EQ("text", CString(s).Trim());
    EXPECT_EQ("text \r\n", CString(s).TrimLeft());
    EXPECT_EQ(" \t text", CString(s).TrimRight());
    EXPECT_EQ("text", CString("xxtextxx").Trim('x'));
    EXPECT_EQ("text", CString("-=text=-").Trim("=-"));
    EXPECT_EQ("", CString("    ").Trim());
    EXPECT_EQ("abc", CString("abc").Trim(""));
}

TEST(CString, SpanAndTokenize)
{
    CString s("123abc");
    EXPECT_EQ("123", s.SpanIncluding("0123456789"));
    EXPECT_EQ("123", s.SpanExcluding("abc"));

    CString list(",a,,bc,");
    int pos = 0;
    EXPECT_EQ("a", list.Tokenize(",", pos));
    EXPECT_EQ("bc", list.Tokenize(",", pos));
    EXPECT_EQ("", list.Tokenize(",", pos));
    EXPECT_EQ(-1, pos);
}

TEST(CString, ComparisonAndOperators)
{
    CString a("apple"), b("Banana");
    EXPECT_GT(a.Compare(b), 0); // byte order: lower case sorts after upper case
    EXPECT_LT(a.CompareNoCase(b), 0);
    EXPECT_EQ(0, CString("MiXeD").CompareNoCase("mixed"));
    EXPECT_TRUE(a == "apple");
    EXPECT_TRUE("apple" == a);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(b < a);
    EXPECT_EQ("appleBanana", a + b);
    EXPECT_EQ("<apple", '<' + a);
    EXPECT_EQ("apple>", a + '>');
    EXPECT_EQ("x-apple", "x-" + a);
    EXPECT_EQ(0, CString().Compare(NULL));
    EXPECT_EQ(CString("aaa"), CString('a', 3));
}

TEST(CString, CaseInsensitiveCompareIsMultibyteAware)
{
    // In a double-byte code page a trail byte must not be folded like an ASCII letter:
    // 0x82 0x41 and 0x82 0x61 are two different characters in Shift-JIS.
    int nOldCodePage = _getmbcp();
    ASSERT_EQ(0, _setmbcp(932));
    {
        EXPECT_NE(0, CString("\x82\x41").CompareNoCase("\x82\x61"));
        EXPECT_EQ(0, CString("\x82\x41x").CompareNoCase("\x82\x41X"));
        CString s("\x83\x5C\\");
        EXPECT_EQ(2, s.ReverseFind('\\')); // 0x5C as a trail byte is not a backslash
        EXPECT_EQ(2, s.Find('\\'));
        _setmbcp(nOldCodePage);
    }
}

TEST(CString, FormatHasNoLengthLimit)
{
    CString s;
    s.Format("%d-%s-%05.1f", 42, "x", 3.14159);
    EXPECT_EQ("42-x-003.1", s);

    CString big('z', 100000);
    s.Format("[%s]", (LPCSTR)big);
    EXPECT_EQ(100002, s.GetLength());
    EXPECT_EQ('z', s[100000]);
    EXPECT_EQ(']', s[100001]);

    // Formatting with an argument taken from the string itself.
    s = "abc";
    s.Format("%s%s", (LPCSTR)s, (LPCSTR)s);
    EXPECT_EQ("abcabc", s);
    s.AppendFormat("/%u", 7u);
    EXPECT_EQ("abcabc/7", s);
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, BufferAccess)
{
    CString s("hello");
    LPSTR p = s.GetBuffer(100);
    strcpy(p, "a longer text");
    s.ReleaseBuffer();
    EXPECT_EQ(13, s.GetLength());
    EXPECT_EQ("a longer text", s);

    CString shared = s;
    p = s.GetBuffer();
    p[0] = 'A';
    s.ReleaseBuffer();
    EXPECT_EQ("a longer text", shared); // writing through the buffer never touches a copy
    EXPECT_EQ("A longer text", s);

    p = s.GetBufferSetLength(3);
    EXPECT_EQ(3, s.GetLength());
    p[2] = 'X';
    s.ReleaseBuffer(3);
    EXPECT_EQ("A X", s);

    CString empty;
    p = empty.GetBuffer(10);
    strcpy(p, "0123456789");
    empty.ReleaseBuffer(4);
    EXPECT_EQ("0123", empty);
    empty.Empty();
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(0, (int)strlen(empty));

    CString withZero("ab\0cd", 5);
    EXPECT_EQ(5, withZero.GetLength());
}

TEST(CString, LoadStringReadsTheResourceModule)
{
    CString s;
    EXPECT_TRUE(s.LoadString(101));
    EXPECT_EQ("Hello from the resources", s);

    // Longer than a first guess at the buffer: must come back whole.
    EXPECT_TRUE(s.LoadString(103));
    EXPECT_EQ(304, s.GetLength());
    EXPECT_EQ("-end", s.Right(4));

    EXPECT_FALSE(s.LoadString(999));
    EXPECT_TRUE(s.IsEmpty());

    CString fromId(MAKEINTRESOURCE(101));
    EXPECT_EQ("Hello from the resources", fromId);

    s.Format(102, "hi");
    EXPECT_EQ("hi!", s);

    AfxFormatString1(s, 104, "a.lua");
    EXPECT_EQ("Could not open a.lua.", s);
}

TEST(CString, OperationsThatReadTheirOwnText)
{
    // Each operation reads from the buffer it may reallocate while it writes.
    CString s("abc");
    s += s;
    EXPECT_STREQ("abcabc", s);
    s.Append(s.GetString() + 3, 3);
    EXPECT_STREQ("abcabcabc", s);
    s.Insert(1, s.Mid(6));
    EXPECT_STREQ("aabcbcabcabc", s);
    s = s.GetString() + 9;
    EXPECT_STREQ("abc", s);
    s.Format("%s-%s", s.GetString(), s.GetString());
    EXPECT_STREQ("abc-abc", s);
    EXPECT_EQ(2, s.Replace("abc", "abcabc"));  // the new text holds the old one
    EXPECT_STREQ("abcabc-abcabc", s);
    EXPECT_EQ(4, s.Replace("abc", ""));
    EXPECT_STREQ("-", s);

    // A copy taken before any of it keeps the old text.
    CString t("xy");
    CString u = t;
    t += t;
    EXPECT_STREQ("xy", u);
    EXPECT_STREQ("xyxy", t);
}
