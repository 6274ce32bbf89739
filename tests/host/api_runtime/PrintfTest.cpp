// zcutPrintf writes Microsoft-formatted text to the command line.
#include <gtest/gtest.h>

#include "host/Session.h"
#include "zcadsapi.h"

namespace {

TEST(RuntimePrintfTest, FormatsWithTheWindowsRules) {
    host::Session session;
    const wchar_t* wide = L"zażółć";
    EXPECT_EQ(zcutPrintf(L"%s", wide), 6);
    EXPECT_EQ(zcutPrintf(L"|%d%%|%5.2f|%ls|", 42, 3.14159, L"x"), 13);
    EXPECT_EQ(zcutPrintf(L"%s", L"100% sure"), 9);  // an argument's text is not a format
    EXPECT_EQ(session.transcript(), L"zażółć|42%| 3.14|x|100% sure");
}

TEST(RuntimePrintfTest, TextAfterAnAnswerStartsANewLine) {
    host::Session session;
    session.feed({L"1,2"});
    zds_point p;
    ASSERT_EQ(zcedGetPoint(nullptr, L"\nPick: ", p), RTNORM);
    zcutPrintf(L"no newline");
    zcutPrintf(L"\nwith newline");
    session.finishLine();
    EXPECT_EQ(session.transcript(), L"\nPick: 1,2\nno newline\nwith newline\n");
}

}  // namespace
