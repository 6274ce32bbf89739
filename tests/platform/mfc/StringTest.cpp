// CString: extraction bounds, search and change, tokenizing, comparison and the
// Microsoft-style formatting.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

std::vector<CString> tokens(const CString& text, const wchar_t* delimiters) {
    std::vector<CString> out;
    int position = 0;
    for (;;) {
        CString token = text.Tokenize(delimiters, position);
        if (position == -1) {
            EXPECT_TRUE(token.IsEmpty());
            break;
        }
        out.push_back(token);
    }
    return out;
}

TEST(MfcStringTest, TokenizeTreatsRunsOfDelimitersAsOne) {
    EXPECT_EQ(tokens(L"a;;b; c;", L";"), (std::vector<CString>{L"a", L"b", L" c"}));
    EXPECT_EQ(tokens(L";;;a", L";"), (std::vector<CString>{L"a"}));
    EXPECT_EQ(tokens(L"x y\tz", L" \t"), (std::vector<CString>{L"x", L"y", L"z"}));
    EXPECT_TRUE(tokens(L"", L";").empty());
    EXPECT_TRUE(tokens(L";;;", L";").empty());
    // No delimiters: the rest is one token, and the next call ends.
    EXPECT_EQ(tokens(L"a;b", L""), (std::vector<CString>{L"a;b"}));
}

TEST(MfcStringTest, ExtractionClampsToTheText) {
    const CString s(L"abcdef");
    EXPECT_EQ(s.Left(-1), L"");
    EXPECT_EQ(s.Left(3), L"abc");
    EXPECT_EQ(s.Left(99), L"abcdef");
    EXPECT_EQ(s.Right(2), L"ef");
    EXPECT_EQ(s.Right(99), L"abcdef");
    EXPECT_EQ(s.Right(-5), L"");
    EXPECT_EQ(s.Mid(2), L"cdef");
    EXPECT_EQ(s.Mid(-3, 2), L"ab");
    EXPECT_EQ(s.Mid(4, 99), L"ef");
    EXPECT_EQ(s.Mid(10), L"");
    EXPECT_EQ(s.Mid(1, -1), L"");
}

TEST(MfcStringTest, GetAtOutsideTheTextThrowsInvalidArgument) {
    const CString s(L"ab");
    EXPECT_EQ(s.GetAt(1), L'b');
    EXPECT_EQ(s.GetAt(2), L'\0');  // the terminator is readable
    for (int bad : {-1, 3}) {
        try {
            (void)s.GetAt(bad);
            ADD_FAILURE() << "no exception for index " << bad;
        } catch (CInvalidArgException* e) {
            e->Delete();
        }
    }
    CString t(L"ab");
    try {
        t.SetAt(2, L'x');
        ADD_FAILURE() << "no exception for SetAt past the end";
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
        e->Delete();
    }
    t.SetAt(1, L'x');
    EXPECT_EQ(t, L"ax");
}

TEST(MfcStringTest, ReplaceCountsNonOverlappingMatches) {
    struct Case {
        const wchar_t* text;
        const wchar_t* from;
        const wchar_t* to;
        int count;
        const wchar_t* result;
    } cases[] = {
        {L"a\\b\\c", L"\\", L"/", 2, L"a/b/c"},
        {L"aaa", L"aa", L"b", 1, L"ba"},
        {L"C:\\\\lib", L"\\\\", L"/", 1, L"C:/lib"},
        {L"abc", L"", L"x", 0, L"abc"},
        {L"abc", L"b", L"", 1, L"ac"},
        {L"abc", L"x", L"y", 0, L"abc"},
    };
    for (const Case& c : cases) {
        CString s(c.text);
        EXPECT_EQ(s.Replace(c.from, c.to), c.count) << c.text;
        EXPECT_EQ(s, c.result) << c.text;
    }
    CString s(L"a.b.c");
    EXPECT_EQ(s.Replace(L'.', L'/'), 2);
    EXPECT_EQ(s, L"a/b/c");
}

TEST(MfcStringTest, TrimRemovesCharactersOfTheSetAtBothEnds) {
    CString s(L"\t\n a b \n");
    s.Trim(L"\t\n ");
    EXPECT_EQ(s, L"a b");
    CString all(L" \t ");
    all.Trim();
    EXPECT_TRUE(all.IsEmpty());
    CString left(L"xxaxx");
    left.TrimLeft(L'x');
    EXPECT_EQ(left, L"axx");
    left.TrimRight(L"x");
    EXPECT_EQ(left, L"a");
}

TEST(MfcStringTest, CompareNoCaseIgnoresLetterCase) {
    EXPECT_EQ(CString(L"SIGN").CompareNoCase(L"sign"), 0);
    EXPECT_LT(CString(L"abc").CompareNoCase(L"ABD"), 0);
    EXPECT_GT(CString(L"abcd").CompareNoCase(L"ABC"), 0);
    EXPECT_EQ(CString(L"\x0141\x00F3" L"d\x017A").CompareNoCase(L"\x0142\x00D3" L"D\x0179"), 0);
    EXPECT_NE(CString(L"a").Compare(L"A"), 0);
}

TEST(MfcStringTest, FormatFollowsTheMicrosoftRuntime) {
    const LONG negative = -7;
    struct Case {
        CString got;
        const wchar_t* expected;
    } cases[] = {
        {[] { CString s; s.Format(L"%s|%d|%%", L"wide", 42); return s; }(), L"wide|42|%"},
        {[] { CString s; s.Format(L"%.2f|%6.1f|%e", 3.14159, 2.75, 1500.0); return s; }(), L"3.14|   2.8|1.500000e+03"},
        {[] { CString s; s.Format(L"%I64d|%I64u", -9000000000LL, 18000000000ULL); return s; }(), L"-9000000000|18000000000"},
        {[&] { CString s; s.Format(L"%ld|%lu|%lx", negative, 4000000000u, 255u); return s; }(), L"-7|4000000000|ff"},
        {[] { CString s; s.Format(L"%S|%hs|%ls|%ws", "narrow", "\xC5\x82", L"l", L"w"); return s; }(), L"narrow|\x0142|l|w"},
        {[] { CString s; s.Format(L"%c%C%lc", L'\x0105', 'a', L'b'); return s; }(), L"\x0105" L"ab"},
        {[] { CString s; s.Format(L"[%-5s][%5s][%.2s]", L"ab", L"ab", L"abcd"); return s; }(), L"[ab   ][   ab][ab]"},
        {[] { CString s; s.Format(L"[%05d][%+d][%x][%X][%o]", 42, 5, 255, 255, 8); return s; }(), L"[00042][+5][ff][FF][10]"},
        {[] { CString s; s.Format(L"[%*d][%-*d][%.*s]", 4, 7, 3, 1, 2, L"xyz"); return s; }(), L"[   7][1  ][xy]"},
        {[] { CString s; s.Format(L"%s", static_cast<const wchar_t*>(nullptr)); return s; }(), L"(null)"},
        {[] { CString s; s.Format(L"%p", reinterpret_cast<void*>(0xABCDEF)); return s; }(), L"0000000000ABCDEF"},
        {[] { CString s; s.Format(L"%hd|%hhu|%Id", 70000, 300, static_cast<INT_PTR>(-3)); return s; }(), L"4464|44|-3"},
        {[] { CString s; s.Format(L"%d items", INT_MIN); return s; }(), L"-2147483648 items"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);
}

TEST(MfcStringTest, FormatTakesStringObjectsAsTheirText) {
    const CString folder(L"C:\\Lib"), name(L"a long enough name to leave any small buffer.dwg");
    CString s;
    s.Format(L"%s\\%s (%d)", folder, name, 2);
    EXPECT_EQ(s, L"C:\\Lib\\a long enough name to leave any small buffer.dwg (2)");
    s.AppendFormat(L" %S", CStringA("narrow"));
    EXPECT_EQ(s.Right(7), L" narrow");
}

TEST(MfcStringTest, FormatPercentNWritesNothing) {
    int target = 12345;
    CString s;
    s.Format(L"a%nb%d", &target, 7);
    EXPECT_EQ(s, L"ab7");  // the argument is consumed, the next one still lines up
    EXPECT_EQ(target, 12345);
}

TEST(MfcStringTest, AppendFormatAndLongResults) {
    CString s(L"x=");
    s.AppendFormat(L"%d", 1);
    EXPECT_EQ(s, L"x=1");
    CString big;
    big.Format(L"%s%1000d", L"a", 1);
    EXPECT_EQ(big.GetLength(), 1001);
    EXPECT_EQ(big.Right(1), L"1");
}

TEST(MfcStringTest, BufferAccessAndSearch) {
    CString s;
    wchar_t* buffer = s.GetBuffer(10);
    wcscpy(buffer, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s, L"abc");
    EXPECT_EQ(s.Find(L'c'), 2);
    EXPECT_EQ(s.Find(L"bc"), 1);
    EXPECT_EQ(s.Find(L'a', 5), -1);
    EXPECT_EQ(s.ReverseFind(L'a'), 0);
    EXPECT_EQ(s.FindOneOf(L"xc"), 2);
    s.Insert(1, L"--");
    EXPECT_EQ(s, L"a--bc");
    s.Delete(1, 10);
    EXPECT_EQ(s, L"a");
}

}  // namespace
