// 4x4 transformation matrices of the host's geometry library.
#pragma once

#include "zcgepnt3d.h"
#include "zcgescl3d.h"
#include "zcgevec3d.h"

/// An affine transformation of three-dimensional space; entry[row][col], column vectors
/// (a point p transforms as M * p; the translation is the last column).
class ZCAD_PORT ZcGeMatrix3d {
public:
    ZcGeMatrix3d();

    static const ZcGeMatrix3d kIdentity;

    ZcGeMatrix3d& setToIdentity();
    bool isIdentity(const ZcGeTol& tol = ZcGeContext::gTol) const;

    ZcGeMatrix3d operator*(const ZcGeMatrix3d& m) const;
    ZcGeMatrix3d& operator*=(const ZcGeMatrix3d& m);
    ZcGeMatrix3d& preMultBy(const ZcGeMatrix3d& left);
    ZcGeMatrix3d& postMultBy(const ZcGeMatrix3d& right);
    ZcGeMatrix3d& setToProduct(const ZcGeMatrix3d& m1, const ZcGeMatrix3d& m2);

    /// The inverse; a singular matrix gives the identity (check isSingular first).
    ZcGeMatrix3d inverse() const;
    ZcGeMatrix3d& invert();
    bool isSingular(const ZcGeTol& tol = ZcGeContext::gTol) const;
    double det() const;
    ZcGeMatrix3d transpose() const;

    ZcGeMatrix3d& setToTranslation(const ZcGeVector3d& v);
    ZcGeMatrix3d& setToRotation(double angle, const ZcGeVector3d& axis,
                                const ZcGePoint3d& center = ZcGePoint3d::kOrigin);
    ZcGeMatrix3d& setToScaling(double scale, const ZcGePoint3d& center = ZcGePoint3d::kOrigin);
    ZcGeMatrix3d& setToScaling(const ZcGeScale3d& scale,
                               const ZcGePoint3d& center = ZcGePoint3d::kOrigin);
    ZcGeMatrix3d& setToMirroring(const ZcGePoint3d& point);
    /// Maps the coordinate system (fromOrigin, fromX, fromY, fromZ) onto (toOrigin, ...).
    ZcGeMatrix3d& setToAlignCoordSys(const ZcGePoint3d& fromOrigin, const ZcGeVector3d& fromXAxis,
                                     const ZcGeVector3d& fromYAxis, const ZcGeVector3d& fromZAxis,
                                     const ZcGePoint3d& toOrigin, const ZcGeVector3d& toXAxis,
                                     const ZcGeVector3d& toYAxis, const ZcGeVector3d& toZAxis);
    ZcGeMatrix3d& setCoordSystem(const ZcGePoint3d& origin, const ZcGeVector3d& xAxis,
                                 const ZcGeVector3d& yAxis, const ZcGeVector3d& zAxis);
    void getCoordSystem(ZcGePoint3d& origin, ZcGeVector3d& xAxis, ZcGeVector3d& yAxis,
                        ZcGeVector3d& zAxis) const;
    ZcGeMatrix3d& setTranslation(const ZcGeVector3d& v);
    ZcGeVector3d translation() const;
    /// The largest column length of the linear part (the uniform scale of a similarity).
    double scale() const;
    bool isUniScaledOrtho(const ZcGeTol& tol = ZcGeContext::gTol) const;

    static ZcGeMatrix3d translation(const ZcGeVector3d& v);
    static ZcGeMatrix3d rotation(double angle, const ZcGeVector3d& axis,
                                 const ZcGePoint3d& center = ZcGePoint3d::kOrigin);
    static ZcGeMatrix3d scaling(double scale, const ZcGePoint3d& center = ZcGePoint3d::kOrigin);
    static ZcGeMatrix3d scaling(const ZcGeScale3d& scale,
                                const ZcGePoint3d& center = ZcGePoint3d::kOrigin);
    static ZcGeMatrix3d mirroring(const ZcGePoint3d& point);
    static ZcGeMatrix3d alignCoordSys(const ZcGePoint3d& fromOrigin, const ZcGeVector3d& fromXAxis,
                                      const ZcGeVector3d& fromYAxis, const ZcGeVector3d& fromZAxis,
                                      const ZcGePoint3d& toOrigin, const ZcGeVector3d& toXAxis,
                                      const ZcGeVector3d& toYAxis, const ZcGeVector3d& toZAxis);
    /// The transformation from the world to the plane's coordinates (arbitrary-axis rule).
    static ZcGeMatrix3d worldToPlane(const ZcGeVector3d& normal);
    static ZcGeMatrix3d planeToWorld(const ZcGeVector3d& normal);

    bool isEqualTo(const ZcGeMatrix3d& m, const ZcGeTol& tol = ZcGeContext::gTol) const;
    bool operator==(const ZcGeMatrix3d& m) const { return isEqualTo(m); }
    bool operator!=(const ZcGeMatrix3d& m) const { return !isEqualTo(m); }

    double operator()(unsigned row, unsigned col) const { return entry[row][col]; }
    double& operator()(unsigned row, unsigned col) { return entry[row][col]; }

    double entry[4][4];
};
