// Tests of the number conversions, and of the array template.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "support/Arr.h"
#include "support/TextUtils.h"

namespace {

TEST(TextUtilsTest, ParseIntegerCases) {
    struct Case {
        const wchar_t* text;
        bool accepted;
        int value;  // the output after the call, which starts as 99
    };
    const Case cases[] = {
        {L" 12abc ", true, 12},
        {L"abc", false, 99},
        {L"", true, 0},
        {L"   ", true, 0},
        {L"-", true, 0},
        {L" -7 ", true, -7},
        {L"12,5", true, 12},
        {L".5", true, 0},
        {L"+5", false, 99},    // only digits, ".", "," and "-" may lead
        {L"\t12", false, 99},  // only spaces are trimmed
        {L"99999999999", true, INT_MAX},
    };
    for (const Case& c : cases) {
        int value = 99;
        EXPECT_EQ(parseInteger(c.text, value), c.accepted) << c.text;
        EXPECT_EQ(value, c.value);
    }
}

TEST(TextUtilsTest, FormatIntegerAndContainsText) {
    EXPECT_EQ(formatInteger(-42), L"-42");
    EXPECT_EQ(formatInteger(INT_MIN), L"-2147483648");
    EXPECT_TRUE(containsText(L"Exit to the left", L"to"));
    EXPECT_FALSE(containsText(L"Exit to the left", L"EXIT"));
    EXPECT_TRUE(containsText(L"", L""));
}

/// Records every element that passes through add, to show that the bulk operations use it.
class CountingArr : public Arr<int> {
public:
    void add(const int& element) override {
        ++adds;
        Arr<int>::add(element);
    }
    int adds = 0;
};

TEST(ArrTest, BulkOperationsGoThroughAdd) {
    CountingArr array;
    array.appendAll(std::vector<int>{1, 2, 3});
    array.appendAll(array);  // appending itself doubles it
    EXPECT_EQ(array.adds, 6);
    EXPECT_EQ(array.items, (std::vector<int>{1, 2, 3, 1, 2, 3}));

    array.insertAt(0, 0);
    array.insertAt(array.size(), 9);
    array.insertAt(-1, 7);
    array.insertAt(array.size() + 1, 7);
    EXPECT_EQ(array.items, (std::vector<int>{0, 1, 2, 3, 1, 2, 3, 9}));
    array.removeLast();
    EXPECT_EQ(array.size(), 7);

    CountingArr empty;
    empty.removeLast();
    empty.shuffle();
    EXPECT_EQ(empty.size(), 0);
}

TEST(ArrTest, ShuffleKeepsTheElements) {
    CountingArr array;
    for (int i = 0; i < 50; ++i)
        array.add(i);
    array.shuffle();
    std::vector<int> sorted = array.items;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(sorted[static_cast<size_t>(i)], i);
}

}  // namespace
