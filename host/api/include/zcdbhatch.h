// Hatches: areas bounded by loops, filled solid or with a named pattern.
#pragma once

#include <string>
#include <vector>

#include "zcdbmain.h"

typedef ZcArray<ZcGePoint2d> ZcGePoint2dArray;
typedef ZcArray<double> ZcGeDoubleArray;

/// A hatch in its plane (normal, elevation). Loops are closed polylines of 2D vertices with
/// bulges (plane coordinates); edge loops of lines and arcs are stored in the same form
/// (an arc edge becomes a bulged segment).
class ZCAD_PORT ZcDbHatch : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbHatch);

    enum HatchPatternType { kUserDefined = 0, kPreDefined = 1, kCustomDefined = 2 };
    enum HatchStyle { kNormal = 0, kOuter = 1, kIgnore = 2 };
    enum HatchLoopType {
        kDefault = 0, kExternal = 1, kPolyline = 2, kDerived = 4, kTextbox = 8, kOutermost = 0x10
    };

    ZcDbHatch() = default;

    Zcad::ErrorStatus setPattern(HatchPatternType type, const ZTCHAR* name);
    HatchPatternType patternType() const { return patternType_; }
    const ZTCHAR* patternName() const { return pattern_.c_str(); }
    bool isSolidFill() const;
    HatchStyle hatchStyle() const { return style_; }
    Zcad::ErrorStatus setHatchStyle(HatchStyle style);
    bool associative() const { return false; }
    double elevation() const { return elevation_; }
    Zcad::ErrorStatus setElevation(double elevation);
    ZcGeVector3d normal() const { return normal_; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    double patternScale() const { return patternScale_; }
    Zcad::ErrorStatus setPatternScale(double scale);
    double patternAngle() const { return patternAngle_; }
    Zcad::ErrorStatus setPatternAngle(double angle);

    /// A closed loop: at least 2 vertices (eInvalidInput); bulges empty or one a vertex.
    Zcad::ErrorStatus appendLoop(Zdesk::Int32 loopType, const ZcGePoint2dArray& vertices,
                                 const ZcGeDoubleArray& bulges);
    int numLoops() const { return static_cast<int>(loops_.size()); }
    Zcad::ErrorStatus getLoopAt(int index, Zdesk::Int32& loopType, ZcGePoint2dArray& vertices,
                                ZcGeDoubleArray& bulges) const;
    Zcad::ErrorStatus removeLoopAt(int index);
    /// Nothing to compute for solid fills; eOk.
    Zcad::ErrorStatus evaluateHatch(bool underEstimateNumLines = false);

    ZcDbObject* clone() const override { return new ZcDbHatch(*this); }

protected:
    ZcDbHatch(const ZcDbHatch&) = default;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;

private:
    struct Loop {
        Zdesk::Int32 type = kDefault;
        std::vector<ZcGePoint2d> vertices;
        std::vector<double> bulges;
    };
    HatchPatternType patternType_ = kPreDefined;
    std::wstring pattern_ = L"SOLID";
    HatchStyle style_ = kNormal;
    double elevation_ = 0.0;
    double patternScale_ = 1.0;
    double patternAngle_ = 0.0;
    ZcGeVector3d normal_ = ZcGeVector3d::kZAxis;
    std::vector<Loop> loops_;
};
