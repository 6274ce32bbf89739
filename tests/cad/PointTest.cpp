// Tests of the point prompt and of the world/user coordinate conversions.
#include <cmath>

#include "CadTestSupport.h"
#include "cad/Point.h"
#include <zcedads.h>
#include "host/Ucs.h"

namespace {

using cadtest::CadTest;

class CadPointTest : public CadTest {
protected:
    void SetUp() override {
        CadTest::SetUp();
        // User coordinates: origin at world (10, 0), X axis along world Y.
        const double origin[3] = {10.0, 0.0, 0.0};
        ASSERT_TRUE(host::setCurrentUcs(host::Ucs::rotated(origin, ZcGe::kPi / 2)));
    }
    void TearDown() override {
        host::setCurrentUcs(host::Ucs::world());
        CadTest::TearDown();
    }
};

void expectNear(const ZcGePoint3d& actual, const ZcGePoint3d& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
    EXPECT_NEAR(actual.z, expected.z, 1e-9);
}

TEST_F(CadPointTest, ConversionsUseTheCurrentUcsBothWays) {
    expectNear(toWcs(ZcGePoint3d(1, 0, 0)), ZcGePoint3d(10, 1, 0));
    expectNear(toUcs(ZcGePoint3d(10, 1, 0)), ZcGePoint3d(1, 0, 0));
    expectNear(toUcs(toWcs(ZcGePoint3d(3, -4, 2))), ZcGePoint3d(3, -4, 2));
}

TEST_F(CadPointTest, PromptIsFramedWithANewLineAndAColon) {
    session->feed(L"1,0");
    ZcGePoint3d point;
    ASSERT_EQ(getPoint(point, L"Pick a point", nullptr, false), 5100);
    EXPECT_EQ(takeTranscript().rfind(L"\nPick a point: ", 0), 0u);
}

TEST_F(CadPointTest, AnswerIsConvertedToWorldCoordinatesOnlyWhenAsked) {
    session->feed({L"1,0", L"1,0"});
    ZcGePoint3d point;
    ZcGePoint3d base(10, 0, 0);
    ASSERT_EQ(getPoint(point, L"P", &base, false), 5100);
    expectNear(point, ZcGePoint3d(1, 0, 0));
    ASSERT_EQ(getPoint(point, L"P", &base, true), 5100);
    expectNear(point, ZcGePoint3d(10, 1, 0));
}

TEST_F(CadPointTest, EnterEscapeAndKeywordsAllGiveMinus5001AndLeaveThePoint) {
    session->feed({L"", L"ESC", L"Size"});
    ZcGePoint3d point(7, 8, 9);
    EXPECT_EQ(getPoint(point, L"P", nullptr, true), -5001);
    EXPECT_EQ(getPoint(point, L"P", nullptr, true), -5001);
    zcedInitGet(0, L"Size");
    EXPECT_EQ(getPoint(point, L"P", nullptr, true), -5001);
    EXPECT_EQ(point, ZcGePoint3d(7, 8, 9));
    // Input that runs out answers Escape.
    EXPECT_EQ(getPoint(point, L"P", nullptr, true), -5001);
}

}  // namespace
