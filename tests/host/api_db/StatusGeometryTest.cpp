// Status names and the geometry library.
#include <gtest/gtest.h>

#include <cmath>

#include "zcadstrc.h"
#include "zcgemat3d.h"

namespace {

TEST(DbStatusTest, NamesOfTheStatusesThePlugInUses) {
    struct Case {
        int value;
        const wchar_t* name;
    } cases[] = {{0, L"eOk"},          {2, L"eNotApplicable"},     {3, L"eInvalidInput"},
                 {15, L"eNullObjectId"}, {20, L"eNullEntityPointer"}, {21, L"eIllegalEntityType"},
                 {22, L"eKeyNotFound"}, {34, L"eWrongObjectType"},   {76, L"eFileNotFound"},
                 {80, L"eWasErased"},   {83, L"eWasOpenForWrite"},   {90, L"eAtMaxReaders"},
                 {221, L"eNoDatabase"}, {374, L"eNullObjectPointer"}, {379, L"eIncompleteBlockDefinition"}};
    for (const Case& c : cases)
        EXPECT_STREQ(c.name, zcadErrorStatusText(static_cast<Zcad::ErrorStatus>(c.value))) << c.value;
    EXPECT_STREQ(L"Unknown error status 1234", zcadErrorStatusText(static_cast<Zcad::ErrorStatus>(1234)));
    EXPECT_STREQ(L"Unknown error status 180", zcadErrorStatusText(static_cast<Zcad::ErrorStatus>(180)));
    // The same pointer every time, so callers may keep it.
    EXPECT_EQ(zcadErrorStatusText(static_cast<Zcad::ErrorStatus>(-7)), zcadErrorStatusText(static_cast<Zcad::ErrorStatus>(-7)));
}

TEST(DbGeometryTest, MatricesComposeInvertAndDecompose) {
    ZcGeMatrix3d rot = ZcGeMatrix3d::rotation(ZcGe::kPi / 2, ZcGeVector3d::kZAxis, {1, 0, 0});
    EXPECT_TRUE((rot * ZcGePoint3d(2, 0, 0)).isEqualTo({1, 1, 0}, ZcGeTol()));
    ZcGeMatrix3d m = ZcGeMatrix3d::translation({5, 6, 7}) * ZcGeMatrix3d::scaling(2.0) * rot;
    ZcGePoint3d p(3, -4, 2);
    ZcGeTol tol;
    tol.setEqualPoint(1e-9);
    EXPECT_TRUE((m.inverse() * (m * p)).isEqualTo(p, tol));
    ZcGeMatrix3d product;
    product.setToProduct(ZcGeMatrix3d::translation({5, 6, 7}), ZcGeMatrix3d::scaling(2.0));
    EXPECT_TRUE((product * ZcGePoint3d(1, 1, 1)).isEqualTo({7, 8, 9}));
    EXPECT_NEAR(2.0, m.scale(), 1e-12);
    EXPECT_TRUE(m.isUniScaledOrtho());
    EXPECT_FALSE(ZcGeMatrix3d::scaling(ZcGeScale3d(1, 2, 1)).isUniScaledOrtho());
    EXPECT_EQ(ZcGeVector3d(5, 6, 7), ZcGeMatrix3d::translation({5, 6, 7}).translation());

    ZcGePoint3d o;
    ZcGeVector3d x, y, z;
    ZcGeMatrix3d::alignCoordSys({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 2, 3}, {0, 1, 0}, {-1, 0, 0}, {0, 0, 1})
        .getCoordSystem(o, x, y, z);
    EXPECT_EQ(ZcGePoint3d(1, 2, 3), o);
    EXPECT_TRUE(x.isEqualTo({0, 1, 0}, tol));
    EXPECT_TRUE(y.isEqualTo({-1, 0, 0}, tol));
}

TEST(DbGeometryTest, VectorOperations) {
    EXPECT_EQ(ZcGeVector3d::kZAxis, ZcGeVector3d::kXAxis.crossProduct(ZcGeVector3d::kYAxis));
    EXPECT_DOUBLE_EQ(5.0, ZcGeVector3d(3, 4, 0).length());
    EXPECT_TRUE(ZcGeVector3d(3, 4, 0).normal().isUnitLength());
    ZcGeVector3d v = ZcGeVector3d::kXAxis;
    v.rotateBy(ZcGe::kPi / 2, ZcGeVector3d::kZAxis);
    ZcGeTol tol;
    tol.setEqualVector(1e-12);
    EXPECT_TRUE(v.isEqualTo(ZcGeVector3d::kYAxis, tol));
    EXPECT_DOUBLE_EQ(5.0, ZcGePoint3d(0, 0, 0).distanceTo({3, 4, 0}));
    EXPECT_EQ(ZcGePoint3d(4, 6, 0), ZcGePoint3d(1, 2, 0) + ZcGeVector3d(3, 4, 0));
    ZcGeScale3d s(2.0);
    EXPECT_EQ(2.0, s.sy);
}

}  // namespace
