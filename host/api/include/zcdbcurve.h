// Curves: the common interface of lines, arcs, circles, polylines and leaders.
#pragma once

#include "zcdbmain.h"

/// A parametric curve. Parameters run from getStartParam to getEndParam; distances are
/// measured along the curve from its start. Points off the curve or parameters out of
/// range give eInvalidInput.
class ZCAD_PORT ZcDbCurve : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbCurve);

    virtual bool isClosed() const { return false; }
    virtual bool isPeriodic() const { return false; }
    virtual Zcad::ErrorStatus getStartParam(double& param) const;
    virtual Zcad::ErrorStatus getEndParam(double& param) const;
    virtual Zcad::ErrorStatus getStartPoint(ZcGePoint3d& point) const;
    virtual Zcad::ErrorStatus getEndPoint(ZcGePoint3d& point) const;
    virtual Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const;
    virtual Zcad::ErrorStatus getParamAtPoint(const ZcGePoint3d& point, double& param) const;
    virtual Zcad::ErrorStatus getDistAtParam(double param, double& dist) const;
    virtual Zcad::ErrorStatus getParamAtDist(double dist, double& param) const;
    Zcad::ErrorStatus getDistAtPoint(const ZcGePoint3d& point, double& dist) const;
    Zcad::ErrorStatus getPointAtDist(double dist, ZcGePoint3d& point) const;
    /// The tangent (not normalised) at a parameter.
    virtual Zcad::ErrorStatus getFirstDeriv(double param, ZcGeVector3d& deriv) const;
    Zcad::ErrorStatus getArea(double& area) const;

protected:
    ZcDbCurve() = default;
    ZcDbCurve(const ZcDbCurve&) = default;
};
