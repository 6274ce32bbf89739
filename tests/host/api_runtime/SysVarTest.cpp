// System variables: types, defaults, refusals.
#include <gtest/gtest.h>

#include "host/Session.h"
#include "host/SysVars.h"
#include "zcadsapi.h"

namespace {

TEST(RuntimeSysVarTest, MetricDefaultsWithTheirTypes) {
    host::Session session;
    struct Case {
        const wchar_t* name;
        short type;
        double number;
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"PICKSTYLE", RTSHORT, 1, nullptr}, {L"dimasz", RTREAL, 2.5, nullptr},
        {L"DimScale", RTREAL, 1.0, nullptr}, {L"TEXTSTYLE", RTSTR, 0, L"Standard"},
        {L"TEXTSIZE", RTREAL, 2.5, nullptr}, {L"CLAYER", RTSTR, 0, L"0"},
        {L"CECOLOR", RTSTR, 0, L"BYLAYER"},  {L"INSUNITS", RTSHORT, 4, nullptr},
        {L"MEASUREMENT", RTSHORT, 1, nullptr}, {L"LUNITS", RTSHORT, 2, nullptr},
        {L"LUPREC", RTSHORT, 4, nullptr},    {L"ATTREQ", RTSHORT, 1, nullptr},
        {L"ATTDIA", RTSHORT, 0, nullptr},    {L"CMDECHO", RTSHORT, 1, nullptr},
        {L"PLINEWID", RTREAL, 0, nullptr},   {L"USERR3", RTREAL, 0, nullptr},
        {L"USERI5", RTSHORT, 0, nullptr},    {L"CTAB", RTSTR, 0, L"Model"},
        {L"TILEMODE", RTSHORT, 1, nullptr},  {L"UCSORG", RT3DPOINT, 0, nullptr},
    };
    for (const Case& c : cases) {
        resbuf rb{};
        ASSERT_EQ(zcedGetVar(c.name, &rb), RTNORM) << c.name;
        EXPECT_EQ(rb.restype, c.type) << c.name;
        if (c.type == RTSHORT) {
            EXPECT_EQ(rb.resval.rint, c.number) << c.name;
        }
        if (c.type == RTREAL) {
            EXPECT_DOUBLE_EQ(rb.resval.rreal, c.number) << c.name;
        }
        if (c.type == RTSTR) {
            EXPECT_STREQ(rb.resval.rstring, c.text);
            zcutDelBuffer(rb.resval.rstring);
            EXPECT_EQ(rb.resval.rstring, nullptr);
        }
    }
}

TEST(RuntimeSysVarTest, SetChecksNameTypeRangeAndAccess) {
    host::Session session;
    auto shortRb = [](short v) {
        resbuf rb{};
        rb.restype = RTSHORT;
        rb.resval.rint = v;
        return rb;
    };
    resbuf rb = shortRb(0);
    EXPECT_EQ(zcedSetVar(L"attreq", &rb), RTNORM);
    EXPECT_EQ(host::sysVars().shortValue(L"ATTREQ"), 0);
    rb = shortRb(7);
    EXPECT_EQ(zcedSetVar(L"ATTREQ", &rb), RTERROR);  // out of range
    EXPECT_EQ(host::sysVars().shortValue(L"ATTREQ"), 0);
    rb = shortRb(3);
    EXPECT_EQ(zcedSetVar(L"DIMASZ", &rb), RTNORM);  // an integer for a real
    EXPECT_DOUBLE_EQ(host::sysVars().realValue(L"DIMASZ"), 3.0);

    resbuf real{};
    real.restype = RTREAL;
    real.resval.rreal = 1.5;
    EXPECT_EQ(zcedSetVar(L"PICKSTYLE", &real), RTERROR);  // a real for a short
    wchar_t name[] = L"Arial";
    resbuf text{};
    text.restype = RTSTR;
    text.resval.rstring = name;
    EXPECT_EQ(zcedSetVar(L"TEXTSIZE", &text), RTERROR);
    EXPECT_EQ(zcedSetVar(L"NOSUCHVAR", &real), RTERROR);
    EXPECT_EQ(zcedSetVar(L"DWGNAME", &text), RTERROR);  // read-only
    EXPECT_EQ(zcedSetVar(L"UCSORG", &real), RTERROR);

    resbuf untouched{};
    untouched.restype = 4242;
    EXPECT_EQ(zcedGetVar(L"NOSUCHVAR", &untouched), RTERROR);
    EXPECT_EQ(untouched.restype, 4242);

    // A new drawing starts from the defaults again.
    session.newDrawing();
    EXPECT_EQ(host::sysVars().shortValue(L"ATTREQ"), 1);
    EXPECT_DOUBLE_EQ(host::sysVars().realValue(L"DIMASZ"), 2.5);
}

TEST(RuntimeSysVarTest, ValidatorsCanRefuse) {
    host::Session session;
    host::sysVars().setValidator(L"USERS1", [](const host::SysVars::Value& v) {
        return v.stringValue == L"0" || v.stringValue == L"Signs";
    });
    std::wstring why;
    EXPECT_TRUE(host::sysVars().setFromText(L"users1", L"Signs", &why));
    EXPECT_FALSE(host::sysVars().setFromText(L"users1", L"Nope", &why));
    EXPECT_EQ(host::sysVars().stringValue(L"USERS1"), L"Signs");
    host::sysVars().setValidator(L"USERS1", {});
    // The current layer lives in the drawing, which knows only layer "0" so far.
    EXPECT_FALSE(host::sysVars().setFromText(L"CLAYER", L"Nope", &why));
    EXPECT_TRUE(host::sysVars().setFromText(L"CLAYER", L"0", &why));
}

TEST(RuntimeSysVarTest, BoundVariablesLiveInTheirStore) {
    host::Session session;
    double store = 7.0;
    bool available = true;
    host::sysVars().bind(L"DIMASZ", {[&]() -> std::optional<host::SysVars::Value> {
                                         if (!available)
                                             return std::nullopt;
                                         host::SysVars::Value v;
                                         v.type = host::SysVars::Type::Real;
                                         v.realValue = store;
                                         return v;
                                     },
                                     [&](const host::SysVars::Value& v) {
                                         store = v.realValue;
                                         return true;
                                     }});
    resbuf rb{};
    ASSERT_EQ(zcedGetVar(L"DIMASZ", &rb), RTNORM);
    EXPECT_DOUBLE_EQ(rb.resval.rreal, 7.0);
    rb.resval.rreal = 4.0;
    ASSERT_EQ(zcedSetVar(L"DIMASZ", &rb), RTNORM);
    EXPECT_DOUBLE_EQ(store, 4.0);
    rb.resval.rreal = -1.0;
    EXPECT_EQ(zcedSetVar(L"DIMASZ", &rb), RTERROR);  // range checked before the store
    EXPECT_DOUBLE_EQ(store, 4.0);
    available = false;  // no store: the table's own copy
    EXPECT_DOUBLE_EQ(host::sysVars().realValue(L"DIMASZ"), 4.0);
    host::sysVars().bind(L"DIMASZ", {});
}

}  // namespace
