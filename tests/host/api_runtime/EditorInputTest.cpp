// Prompted input: points, distances, numbers, keywords and texts from the session's input.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "host/Session.h"
#include "host/Ucs.h"
#include "zcadsapi.h"

namespace {

TEST(RuntimeEditorInputTest, GetPointAnswers) {
    struct Case {
        std::vector<std::wstring_view> lines;
        int result;
        double x, y, z;
        std::wstring transcript;
    };
    const Case cases[] = {
        {{L"10,20"}, RTNORM, 10, 20, 0, L"\nPoint: 10,20"},
        {{L"1.5,-2,3e1"}, RTNORM, 1.5, -2, 30, L"\nPoint: 1.5,-2,3e1"},
        {{L""}, RTNONE, 0, 0, 0, L"\nPoint: "},
        {{L"ESC"}, RTCAN, 0, 0, 0, L"\nPoint: *Cancel*"},
        {{L"esc"}, RTCAN, 0, 0, 0, L"\nPoint: *Cancel*"},
        {{}, RTCAN, 0, 0, 0, L"\nPoint: *Cancel*"},  // input ran out
        {{L"abc", L"1,2,3,4", L"5,6"}, RTNORM, 5, 6, 0,
         L"\nPoint: abc\nInvalid point.\nPoint: 1,2,3,4\nInvalid point.\nPoint: 5,6"},
        {{L"x", L"; a comment is no answer", L"ESC"}, RTCAN, 0, 0, 0,
         L"\nPoint: x\nInvalid point.\nPoint: *Cancel*"},
        {{L"3,4   ; trailing comment"}, RTNORM, 3, 4, 0, L"\nPoint: 3,4"},
    };
    for (const Case& c : cases) {
        host::Session session;
        for (std::wstring_view line : c.lines)
            session.feed({line});
        zds_point p = {0, 0, 0};
        EXPECT_EQ(zcedGetPoint(nullptr, L"\nPoint: ", p), c.result) << session.transcript().size();
        if (c.result == RTNORM) {
            EXPECT_DOUBLE_EQ(p[X], c.x);
            EXPECT_DOUBLE_EQ(p[Y], c.y);
            EXPECT_DOUBLE_EQ(p[Z], c.z);
        }
        EXPECT_EQ(session.transcript(), c.transcript);
    }
}

TEST(RuntimeEditorInputTest, RelativeAndPolarPointsStartAtTheLastPoint) {
    host::Session session;
    session.feed({L"10,10", L"@5,0", L"@2<90", L"3<0"});
    zds_point p;
    ASSERT_EQ(zcedGetPoint(nullptr, L"", p), RTNORM);
    ASSERT_EQ(zcedGetPoint(p, L"", p), RTNORM);
    EXPECT_DOUBLE_EQ(p[X], 15);
    ASSERT_EQ(zcedGetPoint(p, L"", p), RTNORM);
    EXPECT_NEAR(p[X], 15, 1e-12);
    EXPECT_NEAR(p[Y], 12, 1e-12);
    ASSERT_EQ(zcedGetPoint(p, L"", p), RTNORM);
    EXPECT_NEAR(p[X], 3, 1e-12);
    EXPECT_NEAR(p[Y], 0, 1e-12);
}

TEST(RuntimeEditorInputTest, KeywordsByNameOrCapitals) {
    struct Case {
        const wchar_t* list;
        const wchar_t* answer;
        int result;
        const wchar_t* keyword;
    };
    const Case cases[] = {
        {L"Size Color", L"Color", RTKWORD, L"Color"},
        {L"Size Color", L"c", RTKWORD, L"Color"},
        {L"Size Color", L"SIZ", RTKWORD, L"Size"},
        {L"Size Color", L"Sizes", RTNORM, nullptr},  // longer than the keyword: invalid
        {L"LType eXit", L"lt", RTKWORD, L"LType"},
        {L"LType eXit", L"l", RTNORM, nullptr},       // shorter than the abbreviation
        {L"LType eXit", L"x", RTKWORD, L"eXit"},
        {L"LType eXit", L"exit", RTKWORD, L"eXit"},
        {L"LType eXit", L"ex", RTNORM, nullptr},
        {L"width", L"wid", RTNORM, nullptr},           // no capitals: whole word only
        {L"width", L"WIDTH", RTKWORD, L"width"},
        {L"Tak Nie _ Yes No", L"t", RTKWORD, L"Yes"},  // local form answers the global one
        {L"Tak Nie _ Yes No", L"_no", RTKWORD, L"No"},
    };
    for (const Case& c : cases) {
        host::Session session;
        // An invalid keyword falls through to "Invalid point." and the next answer.
        session.feed({c.answer, L"0,0"});
        zcedInitGet(0, c.list);
        zds_point p;
        EXPECT_EQ(zcedGetPoint(nullptr, L"\nOption: ", p), c.result) << c.list << " / " << c.answer;
        if (c.keyword) {
            wchar_t buffer[100] = L"";
            EXPECT_EQ(zcedGetInput(buffer), RTNORM);
            EXPECT_STREQ(buffer, c.keyword);
        }
    }
}

TEST(RuntimeEditorInputTest, InitGetHoldsForOnePrompt) {
    host::Session session;
    session.feed({L"", L"Color", L"", L"1,1"});
    zcedInitGet(RSG_NONULL, L"Color");
    zds_point p;
    EXPECT_EQ(zcedGetPoint(nullptr, L"\nP: ", p), RTKWORD);
    EXPECT_EQ(session.transcript(), L"\nP: \nPoint or option keyword required.\nP: Color");
    // The next prompt has neither the condition nor the keyword.
    EXPECT_EQ(zcedGetPoint(nullptr, L"\nP: ", p), RTNONE);
    zcedInitGet(RSG_OTHER, L"Color");
    EXPECT_EQ(zcedGetPoint(nullptr, L"\nP: ", p), RTNORM);
}

TEST(RuntimeEditorInputTest, DistancesAndNumbers) {
    host::Session session;
    session.feed({L"2.5", L"3,4", L"", L"-1", L"2", L"x", L"7", L"1.5", L"40000", L"12", L"0,0", L"6,8"});
    double d = 0;
    const zds_point origin = {0, 0, 0};
    EXPECT_EQ(zcedGetDist(nullptr, L"\nD: ", &d), RTNORM);
    EXPECT_DOUBLE_EQ(d, 2.5);
    EXPECT_EQ(zcedGetDist(origin, L"\nD: ", &d), RTNORM);  // a point: its distance from base
    EXPECT_DOUBLE_EQ(d, 5.0);
    EXPECT_EQ(zcedGetDist(origin, L"\nD: ", &d), RTNONE);
    zcedInitGet(RSG_NONEG, nullptr);
    EXPECT_EQ(zcedGetReal(L"\nR: ", &d), RTNORM);  // -1 refused, then 2
    EXPECT_DOUBLE_EQ(d, 2.0);
    double r = 0;
    EXPECT_EQ(zcedGetReal(L"\nR: ", &r), RTNORM);  // "x" refused, then 7
    EXPECT_DOUBLE_EQ(r, 7.0);
    int i = 0;
    EXPECT_EQ(zcedGetInt(L"\nI: ", &i), RTNORM);  // 1.5 and 40000 refused, then 12
    EXPECT_EQ(i, 12);
    EXPECT_EQ(zcedGetDist(nullptr, L"\nD: ", &d), RTNORM);  // two points without a base
    EXPECT_DOUBLE_EQ(d, 10.0);
    EXPECT_EQ(session.transcript(),
              L"\nD: 2.5\nD: 3,4\nD: \nR: -1\nValue must be positive.\nR: 2"
              L"\nR: x\nRequires numeric value.\nR: 7"
              L"\nI: 1.5\nRequires an integer value.\nI: 40000"
              L"\nRequires an integer between -32768 and 32767.\nI: 12"
              L"\nD: 0,0\nSpecify second point: 6,8");
}

TEST(RuntimeEditorInputTest, StringsAndKeywordPrompts) {
    host::Session session;
    session.feed({L"two words", L"two words", L"", L"Nie", L"maybe", L"T"});
    wchar_t text[133];
    EXPECT_EQ(zcedGetString(0, L"\nS: ", text), RTNORM);
    EXPECT_STREQ(text, L"two");  // a blank ends the text
    EXPECT_EQ(zcedGetString(1, L"\nS: ", text), RTNORM);
    EXPECT_STREQ(text, L"two words");
    EXPECT_EQ(zcedGetString(1, L"\nS: ", text), RTNORM);
    EXPECT_STREQ(text, L"");
    wchar_t small[4];
    zcedInitGet(0, L"Tak Nie");
    EXPECT_EQ(zcedGetKword(L"\nK: ", small, 4), RTNORM);
    EXPECT_STREQ(small, L"Nie");
    zcedInitGet(0, L"Tak Nie");
    EXPECT_EQ(zcedGetKword(L"\nK: ", small, 3), RTINPUTTRUNCATED);  // "maybe" refused, "T" -> Tak
    EXPECT_STREQ(small, L"Ta");
    EXPECT_NE(session.transcript().find(L"\nK: maybe\nInvalid option keyword.\nK: T"), std::wstring::npos);
}

TEST(RuntimeEditorInputTest, TransBetweenWorldAndAMovedRotatedUcs) {
    host::Session session;
    const double origin[3] = {100, 50, 0};
    ASSERT_TRUE(host::setCurrentUcs(host::Ucs::rotated(origin, M_PI / 2)));
    resbuf world{};
    world.restype = RTSHORT;
    world.resval.rint = 0;
    resbuf user{};
    user.restype = RTSHORT;
    user.resval.rint = 1;
    struct Case {
        zds_point in;
        const resbuf* from;
        const resbuf* to;
        int disp;
        zds_point out;
    };
    const Case cases[] = {
        {{10, 0, 0}, &user, &world, 0, {100, 60, 0}},
        {{100, 60, 5}, &world, &user, 0, {10, 0, 5}},
        {{10, 0, 0}, &user, &world, 1, {0, 10, 0}},   // a displacement is only turned
        {{0, 10, 0}, &world, &user, 1, {10, 0, 0}},
        {{1, 2, 3}, &world, &world, 0, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        zds_point out;
        ASSERT_EQ(zcedTrans(c.in, c.from, c.to, c.disp, out), RTNORM);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(out[i], c.out[i], 1e-9);
    }
    resbuf bad{};
    bad.restype = RTSHORT;
    bad.resval.rint = 7;
    zds_point out;
    EXPECT_EQ(zcedTrans(cases[0].in, &bad, &world, 0, out), RTERROR);
    EXPECT_EQ(zcedTrans(cases[0].in, nullptr, &world, 0, out), RTERROR);

    // The editor works in the UCS: a typed point comes back in user coordinates.
    session.feed({L"10,0"});
    zds_point p;
    ASSERT_EQ(zcedGetPoint(nullptr, L"", p), RTNORM);
    EXPECT_DOUBLE_EQ(p[X], 10);
    EXPECT_DOUBLE_EQ(p[Y], 0);
    EXPECT_FALSE(host::currentUcs().isWorld());
    session.newDrawing();
    EXPECT_TRUE(host::currentUcs().isWorld());
}

}  // namespace
