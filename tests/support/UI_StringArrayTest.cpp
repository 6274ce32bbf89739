// Tests of the string list operations.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "support/UI_StringArray.h"

namespace {

UI_StringArray listOf(std::initializer_list<const wchar_t*> items) {
    UI_StringArray list;
    for (const wchar_t* item : items)
        list.Add(item);
    return list;
}

std::vector<std::wstring> contents(const CStringArray& list) {
    std::vector<std::wstring> result;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        result.emplace_back(list.GetAt(i).GetString());
    return result;
}

struct SplitCase {
    const wchar_t* text;
    const wchar_t* delimiters;
    bool trim;
    std::vector<std::wstring> before;
    std::vector<std::wstring> after;
};

TEST(UI_StringArrayTest, SplitTextCases) {
    const SplitCase cases[] = {
        // Empty fields vanish, trimming takes the space of " c".
        {L"a;;b; c", L";", true, {}, {L"a", L"b", L"c"}},
        {L"a;;b; c", L";", false, {}, {L"a", L"b", L" c"}},
        // An empty text clears the list and adds nothing.
        {L"", L";", true, {L"old"}, {}},
        // No delimiters: the whole text is appended to what the list holds.
        {L"a;b", L"", false, {L"old"}, {L"old", L"a;b"}},
        {L"", L"", true, {L"old"}, {L"old", L""}},
        // Delimiters at the ends produce nothing; the fields move up.
        {L";Exit", L";", false, {}, {L"Exit"}},
        {L"SIGN2;;x;", L";", false, {}, {L"SIGN2", L"x"}},
        // A token that trimming empties stays as an empty text; trimming takes tab and LF.
        {L" ;\t\n;a ", L";", true, {}, {L"", L"", L"a"}},
        {L"\r x \r", L";", true, {}, {L"\r x \r"}},
        // Every character of the set delimits.
        {L"C:/lib//a.dwg\tx", L"/\t", false, {}, {L"C:", L"lib", L"a.dwg", L"x"}},
    };
    int index = 0;
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(index++);
        UI_StringArray list;
        for (const std::wstring& item : c.before)
            list.Add(item.c_str());
        splitText(c.text, c.delimiters, list, c.trim);
        EXPECT_EQ(contents(list), c.after);
    }
}

TEST(UI_StringArrayTest, RemoveDuplicatesIsCaseSensitiveAndKeepsFirstOccurrences) {
    UI_StringArray list = listOf({L"A", L"a", L"A"});
    EXPECT_EQ(removeDuplicates(list), 2);
    EXPECT_EQ(contents(list), (std::vector<std::wstring>{L"A", L"a"}));

    UI_StringArray mixed = listOf({L"b", L"a", L"b", L"c", L"a", L""});
    EXPECT_EQ(removeDuplicates(mixed), 4);
    EXPECT_EQ(contents(mixed), (std::vector<std::wstring>{L"b", L"a", L"c", L""}));
}

TEST(UI_StringArrayTest, IndexOfNoCaseIgnoresCase) {
    const UI_StringArray list = listOf({L"exit", L"sign", L"SIGN"});
    EXPECT_EQ(indexOfNoCase(list, L"SIGN"), 1);
    EXPECT_EQ(indexOfNoCase(list, L"Exit"), 0);
    EXPECT_EQ(indexOfNoCase(list, L"sig"), -1);
    EXPECT_EQ(indexOfNoCase(UI_StringArray(), L""), -1);
}

TEST(UI_StringArrayTest, SortListIsOrdinalAndCaseSensitive) {
    UI_StringArray list = listOf({L"b", L"\u015b", L"B", L"a10", L"a2", L"A", L""});
    sortList(list);
    EXPECT_EQ(contents(list), (std::vector<std::wstring>{L"", L"A", L"B", L"a10", L"a2", L"b", L"\u015b"}));

    // A larger list with many equal elements: the same order as an ordinal sort.
    std::mt19937 random(7);
    UI_StringArray big;
    std::vector<std::wstring> expected;
    for (int i = 0; i < 2000; ++i) {
        const std::wstring text = L"s" + std::to_wstring(random() % 300);
        big.Add(text.c_str());
        expected.push_back(text);
    }
    std::sort(expected.begin(), expected.end());
    sortList(big);
    EXPECT_EQ(contents(big), expected);
}

TEST(UI_StringArrayTest, JoinListAndLastOrEmpty) {
    EXPECT_EQ(joinList(UI_StringArray(), L";"), L"");
    EXPECT_EQ(joinList(listOf({L"a"}), L";"), L"a");
    EXPECT_EQ(joinList(listOf({L"C:", L"lib", L""}), L"\\"), L"C:\\lib\\");
    EXPECT_EQ(lastOrEmpty(UI_StringArray()), L"");
    EXPECT_EQ(lastOrEmpty(listOf({L"a", L"b"})), L"b");
}

TEST(UI_StringArrayTest, PrefixAppendAndFilter) {
    UI_StringArray list = listOf({L"a", L"Exit", L""});
    prefixAll(list, L"C:\\");
    appendToAll(list, L".dwg");
    EXPECT_EQ(contents(list), (std::vector<std::wstring>{L"C:\\a.dwg", L"C:\\Exit.dwg", L"C:\\.dwg"}));

    UI_StringArray found = listOf({L"kept"});
    filterContaining(list, L"Exit", found);
    filterContaining(list, L"exit", found);
    EXPECT_EQ(contents(found), (std::vector<std::wstring>{L"kept", L"C:\\Exit.dwg"}));
}

TEST(UI_StringArrayTest, RemoveAtIfValidIgnoresNegativeIndexAndStopsAtTheEnd) {
    UI_StringArray list = listOf({L"a", L"b", L"c", L"d"});
    removeAtIfValid(list, -1, 1);
    EXPECT_EQ(list.GetSize(), 4);
    removeAtIfValid(list, 1, 2);
    EXPECT_EQ(contents(list), (std::vector<std::wstring>{L"a", L"d"}));
    removeAtIfValid(list, 1, 10);
    EXPECT_EQ(contents(list), (std::vector<std::wstring>{L"a"}));
    removeAtIfValid(list, 5, 1);
    EXPECT_EQ(contents(list), (std::vector<std::wstring>{L"a"}));
}

TEST(UI_StringArrayTest, ReverseAndCopyRange) {
    UI_StringArray odd = listOf({L"a", L"b", L"c"});
    reverseList(odd);
    EXPECT_EQ(contents(odd), (std::vector<std::wstring>{L"c", L"b", L"a"}));
    UI_StringArray even = listOf({L"a", L"b"});
    reverseList(even);
    EXPECT_EQ(contents(even), (std::vector<std::wstring>{L"b", L"a"}));

    UI_StringArray out = listOf({L"x"});
    copyRange(odd, 1, 5, out);
    EXPECT_EQ(contents(out), (std::vector<std::wstring>{L"x", L"b", L"a"}));
    copyRange(odd, 0, 1, out);
    copyRange(odd, 3, 1, out);
    EXPECT_EQ(contents(out), (std::vector<std::wstring>{L"x", L"b", L"a", L"c"}));
}

}  // namespace
